#include "ExePath.h"

#include "StringUtil.h"

std::string CanonicalExePath(const std::string& path) {
    static const char kLongPathPrefix[] = "\\\\?\\";
    std::string canonical(path);
    if (canonical.compare(0, sizeof kLongPathPrefix - 1, kLongPathPrefix) == 0) {
        canonical.erase(0, sizeof kLongPathPrefix - 1);
    }
    // A slash (0x2F) is never the trail byte of a two-byte character, so it
    // can be replaced without walking the characters.
    for (char& c : canonical) {
        if (c == '/') {
            c = '\\';
        }
    }
    // Every short name part carries a tilde; the platform is asked only then.
    return canonical.find('~') == std::string::npos ? canonical : LongPathName(canonical);
}

bool SameExePath(const std::string& a, const std::string& b) {
    return MbsICmp(CanonicalExePath(a).c_str(), CanonicalExePath(b).c_str()) == 0;
}
