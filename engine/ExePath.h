#pragma once
#include <string>

// Executable paths as activation rules and the application picker compare
// them.

// The path with its 8.3 short name parts ("PROGRA~1") in their long form, so
// that both spellings of one file compare equal; the path as given when its
// file cannot be found.
std::string CanonicalExePath(const std::string& path);

// The same file: the canonical forms are equal ignoring letter case (the
// double-byte characters of the ANSI code page taken whole).
bool IsSameExePath(const std::string& canonicalA, const std::string& canonicalB);

// The platform's long form of a path (CanonicalExePath's part).
std::string LongPathName(const std::string& path);
