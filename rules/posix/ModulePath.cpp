#include "ModulePath.h"

#include <climits>
#include <unistd.h>

std::string GetModulePath() {
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return std::string();
    }
    return std::string(buffer, static_cast<size_t>(length));
}

std::string GetModuleDirectory() {
    static std::string directory;
    if (directory.empty()) {
        const std::string path = GetModulePath();
        const size_t slash = path.rfind('/');
        if (slash != std::string::npos) {
            directory = path.substr(0, slash + 1);
        }
    }
    return directory;
}
