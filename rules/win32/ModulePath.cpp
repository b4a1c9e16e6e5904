#include "ModulePath.h"

#include <windows.h>

#include <cstdlib>

std::string GetModulePath() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return std::string();
    }
    return std::string(buffer, length);
}

std::string GetModuleDirectory() {
    static std::string directory;
    if (directory.empty()) {
        const std::string path = GetModulePath();
        if (!path.empty()) {
            char drive[_MAX_DRIVE] = {};
            char dir[_MAX_DIR] = {};
            if (_splitpath_s(path.c_str(), drive, sizeof drive, dir, sizeof dir, nullptr, 0,
                             nullptr, 0) == 0) {
                directory = std::string(drive) + dir;
            }
        }
    }
    return directory;
}
