#pragma once
#include <string>

// Executable paths as activation rules, the rules for one application and
// the application picker compare them.

// The one spelling of a path that the comparison works on: the long-path
// prefix "\\?\" dropped, a slash read as a backslash (platform queries
// report one path in either form), and 8.3 short name parts ("PROGRA~1") in
// their long form; the rest as given when the file cannot be found.
std::string CanonicalExePath(const std::string& path);

// Whether two paths name the same executable: their canonical forms equal
// ignoring letter case, the double-byte characters of the ANSI code page
// taken whole. A bare file name is not a path and matches only itself.
bool SameExePath(const std::string& a, const std::string& b);

// The platform's long form of a path; the path as given when its file
// cannot be found or the platform has no short names.
std::string LongPathName(const std::string& path);
