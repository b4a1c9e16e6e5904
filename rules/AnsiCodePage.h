#pragma once
#include <string>

// UTF-16 text in the ANSI code page of the system (code page 932 for this
// program's users), as the platform converts it: a character that the code
// page cannot hold becomes the code page's default character.
std::string Utf16ToAnsi(const std::u16string& text);
