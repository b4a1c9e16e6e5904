#pragma once
#include <string>

// Full path of the running executable (empty when it cannot be found).
std::string GetModulePath();

// Drive and directory of the running executable, ending in a backslash
// (a slash on POSIX). Computed on the first call and kept.
std::string GetModuleDirectory();
