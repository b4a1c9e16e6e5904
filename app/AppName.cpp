#include "AppName.h"

#include "StringUtil.h"

std::string AppNameFromModulePath(const std::string& modulePath) {
    std::string name = PathFindFileNamePart(modulePath.c_str());
    // Only a dot within the file name starts the extension; a dot in a
    // trail byte cannot occur in Shift-JIS, so a byte search is safe.
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}
