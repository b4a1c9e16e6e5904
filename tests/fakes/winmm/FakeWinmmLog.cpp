#include "FakeWinmmLog.h"

#include <windows.h>

#include <cstdio>

void FakeWinmmLog::Write(const std::string& line) const {
    const std::string text = "pid=" + std::to_string(GetCurrentProcessId()) +
                             " t=" + Ms(LogClockMs()) + " " + line + "\r\n";
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

std::string Escaped(const char* text, std::size_t size) {
    std::string escaped;
    for (std::size_t i = 0; i < size && text[i] != '\0'; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte <= ' ' || byte == '%' || byte == '=' || byte == 0x7F) {
            static const char digits[] = "0123456789ABCDEF";
            escaped += '%';
            escaped += digits[byte >> 4];
            escaped += digits[byte & 15];
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

double LogClockMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    if (!QueryPerformanceFrequency(&frequency) || !QueryPerformanceCounter(&now)) {
        return 0.0;
    }
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string Ms(double milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", milliseconds);
    return text;
}
