#include "StringUtil.h"

#include <cstdarg>
#include <cstdio>

std::string Format(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::string result;
    if (needed < 0) {
        va_end(copy);
        return result;
    }
    if (static_cast<size_t>(needed) < sizeof buffer) {
        result.assign(buffer, static_cast<size_t>(needed));
    } else {
        result.resize(static_cast<size_t>(needed));
        std::vsnprintf(&result[0], result.size() + 1, format, copy);
    }
    va_end(copy);
    return result;
}

bool IsShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string CutAtCharacterBoundary(const std::string& text, std::size_t maxBytes) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t step =
            IsShiftJisLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
        if (length + step > maxBytes || length + step > text.size()) {
            break;
        }
        length += step;
    }
    return text.substr(0, length);
}

namespace {
unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}
} // namespace

int MbsICmp(const char* a, const char* b) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        unsigned int ca = *p++;
        unsigned int cb = *q++;
        if (IsShiftJisLeadByte(static_cast<unsigned char>(ca)) && *p != 0) {
            ca = (ca << 8) | *p++;
        } else {
            ca = FoldAscii(static_cast<unsigned char>(ca));
        }
        if (IsShiftJisLeadByte(static_cast<unsigned char>(cb)) && *q != 0) {
            cb = (cb << 8) | *q++;
        } else {
            cb = FoldAscii(static_cast<unsigned char>(cb));
        }
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        if (ca == 0) {
            return 0;
        }
    }
}

std::string MbsLower(const std::string& s) {
    std::string result(s);
    for (size_t i = 0; i < result.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(result[i]);
        if (IsShiftJisLeadByte(c) && i + 1 < result.size()) {
            ++i;
        } else {
            result[i] = static_cast<char>(FoldAscii(c));
        }
    }
    return result;
}

const char* PathFindFileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (IsShiftJisLeadByte(c) && p[1] != '\0') {
            ++p;
            continue;
        }
        if ((c == '\\' || c == '/' || c == ':') && p[1] != '\0') {
            name = p + 1;
        }
    }
    return name;
}
