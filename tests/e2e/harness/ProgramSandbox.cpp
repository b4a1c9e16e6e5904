#include "ProgramSandbox.h"

#include <windows.h>


ProgramSandbox::ProgramSandbox(const std::string& programPath, const std::string& fakeWinmmPath,
                               const Options& options)
    : m_options(options), m_fake(m_directory.Path()) {
    if (!m_directory.IsValid() ||
        !CopyFileA(programPath.c_str(), ExePath().c_str(), FALSE)) {
        return;
    }
    if (m_options.fakeWinmm) {
        if (!CopyFileA(fakeWinmmPath.c_str(), m_directory.File("winmm.dll").c_str(), FALSE) ||
            !m_fake.SetDevices({}) || !m_fake.ClearLog()) {
            return;
        }
    }
    m_ready = true;
}

bool ProgramSandbox::SetConfigReadOnly(bool readOnly) const {
    return SetFileAttributesA(ConfigPath().c_str(),
                              readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL) != 0;
}

namespace {
// Wine takes a library's load order from its own Unix environment, not from
// the environment block given to CreateProcess, so the override that lets
// the fake beside the program win over the built-in library goes into the
// per-program defaults instead. Without a winmm.dll beside the program the
// built-in one is loaded as before.
bool PreferLibraryBesideProgram(const std::string& exeName, const char* library) {
    const std::string key = "Software\\Wine\\AppDefaults\\" + exeName + "\\DllOverrides";
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    static const char kOrder[] = "native,builtin";
    const LONG result = RegSetValueExA(handle, library, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}
} // namespace

bool ProgramSandbox::Start(ProgramProcess& process) const {
    if (m_options.fakeWinmm && !PreferLibraryBesideProgram(m_options.exeName, "winmm")) {
        return false;
    }
    return process.Start(ExePath(), Directory());
}

std::string TestProgramDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length < MAX_PATH ? length : 0);
    return full.substr(0, full.find_last_of("\\/") + 1);
}

std::string BesideTestProgram(const std::string& relative) {
    std::string path = TestProgramDirectory() + relative;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}
