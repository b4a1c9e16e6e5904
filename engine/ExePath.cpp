#include "ExePath.h"

#include "StringUtil.h"

std::string CanonicalExePath(const std::string& path) {
    // Every short name part carries a tilde; the platform is asked only then.
    return path.find('~') == std::string::npos ? path : LongPathName(path);
}

bool IsSameExePath(const std::string& canonicalA, const std::string& canonicalB) {
    return MbsICmp(canonicalA.c_str(), canonicalB.c_str()) == 0;
}
