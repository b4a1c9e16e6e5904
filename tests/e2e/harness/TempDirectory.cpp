#include "TempDirectory.h"

#include <windows.h>

#include <cstdlib>

TempDirectory::TempDirectory(const std::string& prefix) {
    char base[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = std::string(base) + prefix + "-" +
                                      std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(++counter) + "-" +
                                      std::to_string(GetTickCount64() % 100000);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            m_path = candidate + "\\";
            return;
        }
    }
}

TempDirectory::~TempDirectory() {
    if (!m_path.empty() && std::getenv("SQ_E2E_KEEP") == nullptr) {
        RemoveDirectoryTree(m_path);
    }
}

bool RemoveDirectoryTree(const std::string& path) {
    std::string directory = path;
    if (!directory.empty() && directory.back() == '\\') {
        directory.pop_back();
    }
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((directory + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = directory + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveDirectoryTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    return RemoveDirectoryA(directory.c_str()) != 0;
}
