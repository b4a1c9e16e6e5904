#include "Win32IniBackend.h"

#include "FileSystem.h"

#include <windows.h>

#include <vector>

namespace {
// Never returned for a real value: tells a missing key from an empty one.
const char kMissing[] = "\x01\x02missing\x02\x01";
} // namespace

// The buffer grows until the value fits: the platform cuts a value to the
// buffer without saying so, and long executable paths must survive.
bool CWin32IniBackend::ReadString(const std::string& file, const char* section, const char* key,
                                  std::string& value) {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringA(section, key, kMissing, buffer.data(), size, file.c_str());
        if (length + 1 < size || buffer.size() >= (1u << 26)) {
            std::string found(buffer.data(), length);
            if (found == kMissing) {
                return false;
            }
            value = found;
            return true;
        }
        buffer.resize(buffer.size() * 4);
    }
}

int CWin32IniBackend::ReadInt(const std::string& file, const char* section, const char* key,
                              int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, file.c_str()));
}

bool CWin32IniBackend::HasSection(const std::string& file, const char* section) {
    // A null key lists the key names of the section; one byte of room is
    // enough to tell an empty list from a non-empty one.
    char names[4] = {};
    return GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, file.c_str()) > 0;
}

bool CWin32IniBackend::WriteString(const std::string& file, const char* section, const char* key,
                                   const char* value) {
    // The platform writes a line break inside a value as it is, which
    // would split the line and let the rest pass for keys of their own.
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
        return false;
    }
    return WritePrivateProfileStringA(section, key, value, file.c_str()) != FALSE;
}

bool CWin32IniBackend::Flush(const std::string& file) {
    // A null section, key and value flushes the platform's cached copy.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const BOOL flushed = FlushFileBuffers(handle);
    CloseHandle(handle);
    return flushed != FALSE;
}

bool CWin32IniBackend::RemoveFile(const std::string& file) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    return DeleteFileA(file.c_str()) != FALSE;
}

bool CWin32IniBackend::MoveOver(const std::string& from, const std::string& to) {
    if (ReplaceFileAtomically(from, to) != FileTry::Done) {
        return false;
    }
    // The platform may still hold the replaced file's content in its cache,
    // and it tells the files apart by their time stamps only.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, to.c_str());
    return true;
}
