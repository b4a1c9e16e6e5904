#pragma once
#include <string>

// UTF-16 text in the ANSI code page of the system (code page 932 for this
// program's users), as the platform converts it: a character that the code
// page cannot hold becomes the code page's default character.
std::string Utf16ToAnsi(const std::u16string& text);

// Text in the ANSI code page as UTF-16, as the platform converts it. Bytes
// that are no character of the code page (a lone lead byte, a trail byte
// out of range, an unassigned code) each become U+FFFD, and the rest is
// read on from the next byte.
std::u16string AnsiToUtf16(const std::string& text);
