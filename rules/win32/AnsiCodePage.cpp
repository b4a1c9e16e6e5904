#include "AnsiCodePage.h"

#include <windows.h>

std::string Utf16ToAnsi(const std::u16string& text) {
    if (text.empty()) {
        return std::string();
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return std::string();
    }
    std::string result(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, wide, length, &result[0], size, nullptr, nullptr) != size) {
        return std::string();
    }
    return result;
}
