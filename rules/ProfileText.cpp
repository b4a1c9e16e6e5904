#include "ProfileText.h"

#include "AnsiCodePage.h"

#include <cstddef>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(const std::string& bytes, const char* mark, size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

void AppendCodePoint(std::u16string& text, char32_t c) {
    if (c >= 0x10000) {
        c -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (c >> 10));
        text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        text += static_cast<char16_t>(c);
    }
}

// Malformed sequences (stray continuation bytes, overlong forms, surrogates,
// a sequence cut short) each become one replacement character.
std::u16string Utf8ToUtf16(const std::string& bytes, size_t begin) {
    std::u16string text;
    size_t i = begin;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        size_t extra;
        char32_t c;
        char32_t least;
        if (lead < 0x80) {
            text += static_cast<char16_t>(lead);
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07, least = 0x10000;
        } else {
            text += kReplacement;
            ++i;
            continue;
        }
        size_t taken = 1;
        while (taken <= extra && i + taken < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + taken]) & 0xC0) == 0x80) {
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + taken]) & 0x3F);
            ++taken;
        }
        if (taken != extra + 1 || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            text += kReplacement;
        } else {
            AppendCodePoint(text, c);
        }
        i += taken;
    }
    return text;
}

// A last odd byte is no character and is dropped.
std::u16string Utf16ToText(const std::string& bytes, size_t begin, bool bigEndian) {
    std::u16string text;
    for (size_t i = begin; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return text;
}

} // namespace

std::string ProfileTextToAnsi(const std::string& bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF", 3)) {
        return Utf16ToAnsi(Utf8ToUtf16(bytes, 3));
    }
    if (StartsWith(bytes, "\xFF\xFE", 2)) {
        return Utf16ToAnsi(Utf16ToText(bytes, 2, false));
    }
    if (StartsWith(bytes, "\xFE\xFF", 2)) {
        return Utf16ToAnsi(Utf16ToText(bytes, 2, true));
    }
    return bytes;
}
