#pragma once
#include <string>

// The text of a settings file in the program's own code page. A file that
// begins with a byte-order mark (UTF-8, UTF-16 LE or BE; Notepad writes
// these) is converted; any other file is taken as it is, in the ANSI code
// page, as the platform's own profile functions read them.
std::string ProfileTextToAnsi(const std::string& bytes);
