#include "AnsiCodePage.h"

#include <cerrno>
#include <iconv.h>

namespace {
// Runs the whole input through iconv. `take` gets the output piece by piece;
// at a unit the conversion cannot take, `standIn` adds what stands for it
// and says how many input bytes it skips. Nothing when the conversion is
// not available.
template <typename Take, typename StandIn>
void ConvertAll(const char* to, const char* from, std::string input, Take take, StandIn standIn) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return;
    }
    char* in = &input[0];
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        take(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            const size_t skip = standIn(in, inLeft);
            in += skip < inLeft ? skip : inLeft;
            inLeft -= skip < inLeft ? skip : inLeft;
        }
    }
    iconv_close(converter);
}
} // namespace

// Elsewhere the program's strings are code page 932 all the same.
std::string Utf16ToAnsi(const std::u16string& text) {
    std::string result;
    ConvertAll(
        "CP932", "UTF-16LE",
        std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2),
        [&](const char* piece, size_t size) { result.append(piece, size); },
        [&](const char* in, size_t inLeft) -> size_t {
            // Not in the code page, or half a surrogate pair: one default
            // character for the unit (or the pair) and on. A high surrogate
            // is a pair only with a low one after it; a lone one must not
            // take the next character with it.
            result += '?';
            const bool pair = inLeft >= 4 && (static_cast<unsigned char>(in[1]) & 0xFC) == 0xD8 &&
                              (static_cast<unsigned char>(in[3]) & 0xFC) == 0xDC;
            return pair ? 4 : 2;
        });
    return result;
}

std::u16string AnsiToUtf16(const std::string& text) {
    std::u16string result;
    ConvertAll(
        "UTF-16LE", "CP932", text,
        [&](const char* piece, size_t size) {
            for (const char* p = piece; p + 1 < piece + size; p += 2) {
                result += static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                                (static_cast<unsigned char>(p[1]) << 8));
            }
        },
        [&](const char*, size_t) -> size_t {
            result += u'\xFFFD';
            return 1;
        });
    return result;
}
