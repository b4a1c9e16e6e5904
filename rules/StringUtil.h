#pragma once
// Small string helpers shared by the portable core. All strings are 8-bit,
// in the Japanese ANSI code page (Shift-JIS / CP932).
#include <cstddef>
#include <string>

// printf-style formatting into a new string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// True for a byte that starts a two-byte Shift-JIS character.
bool IsShiftJisLeadByte(unsigned char c);

// The longest start of `text` of at most `maxBytes` bytes that splits no
// two-byte character (a fixed-size field of the platform must not end in
// half a character). A lead byte without its trail byte is left out too.
std::string CutAtCharacterBoundary(const std::string& text, std::size_t maxBytes);

// Case-insensitive comparison that treats two-byte Shift-JIS characters as
// single characters (only single-byte ASCII letters are folded), as
// _mbsicmp does with code page 932. Returns <0, 0 or >0.
int MbsICmp(const char* a, const char* b);

// Lower-cases the single-byte ASCII letters of a Shift-JIS string, leaving
// the trail bytes of two-byte characters alone (as _mbslwr does).
std::string MbsLower(const std::string& s);

// The last component of a path: the text after the last backslash, slash or
// drive colon that is not a trail byte of a two-byte character.
const char* PathFindFileNamePart(const char* path);

