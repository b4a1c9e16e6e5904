#pragma once
#include <map>
#include <string>

// The executables that already have a row in the application picker, kept
// lower-cased so that one executable gets one row whatever the letter case
// its processes report.
class CListedPaths {
public:
    // False when the path is already listed; otherwise lists it.
    bool Add(const std::string& path);

private:
    // Only the keys matter.
    std::map<std::string, int> m_paths;
};
