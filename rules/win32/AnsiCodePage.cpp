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

namespace {

// One conversion that refuses what the code page cannot read; false then.
bool ConvertStrictly(const char* text, int length, std::u16string& result) {
    const int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (size <= 0) {
        return false;
    }
    std::wstring wide(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, length, &wide[0], size) != size) {
        return false;
    }
    result.append(wide.begin(), wide.end());
    return true;
}

bool IsLeadByte(unsigned char c) {
    return IsDBCSLeadByteEx(CP_ACP, c) != FALSE;
}

} // namespace

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string result;
    if (text.empty() || ConvertStrictly(text.data(), static_cast<int>(text.size()), result)) {
        return result;
    }
    // Something in the text is damaged: character by character, so that
    // only what cannot be read is lost.
    result.clear();
    for (size_t i = 0; i < text.size();) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        if (pair && ConvertStrictly(text.data() + i, 2, result)) {
            i += 2;
        } else if (!pair && ConvertStrictly(text.data() + i, 1, result)) {
            ++i;
        } else {
            result += u'\xFFFD';
            ++i;
        }
    }
    return result;
}
