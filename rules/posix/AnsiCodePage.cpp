#include "AnsiCodePage.h"

#include <cerrno>
#include <iconv.h>

// Elsewhere the program's strings are code page 932 all the same.
std::string Utf16ToAnsi(const std::u16string& text) {
    iconv_t converter = iconv_open("CP932", "UTF-16LE");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string();
    }
    std::string input(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    std::string result;
    char* in = &input[0];
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            // Not in the code page, or half a surrogate pair: one default
            // character for the unit (or the pair) and on.
            result += '?';
            const bool pair = inLeft >= 4 && (static_cast<unsigned char>(in[1]) & 0xFC) == 0xD8;
            const size_t skip = pair ? 4 : 2;
            in += skip < inLeft ? skip : inLeft;
            inLeft -= skip < inLeft ? skip : inLeft;
        }
    }
    iconv_close(converter);
    return result;
}

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string result;
    iconv_t converter = iconv_open("UTF-16LE", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return result;
    }
    std::string input = text;
    char* in = &input[0];
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        for (char* p = buffer; p + 1 < out; p += 2) {
            result += static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                            (static_cast<unsigned char>(p[1]) << 8));
        }
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            result += u'\xFFFD';
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return result;
}
