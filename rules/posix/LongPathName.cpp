#include "ExePath.h"

// No short names here.
std::string LongPathName(const std::string& path) {
    return path;
}
