#include "FakeWinmmLog.h"

#include <windows.h>

#include <cstdio>

void FakeWinmmLog::Write(const std::string& line) const {
    const std::string text = "pid=" + std::to_string(GetCurrentProcessId()) + " " + line + "\r\n";
    const HANDLE file =
        CreateFileA(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Hex(unsigned long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", value);
    return text;
}
