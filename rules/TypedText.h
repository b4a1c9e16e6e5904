#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The text of a typing rule, in the file's code page, with "\r\n" line breaks.
constexpr std::size_t kMaxTypedTextCharacters = 1000;

// The text as a rule keeps it: every line break as "\r\n" (a lone CR or LF
// too), cut after 1,000 characters (a line break counts as one, a two-byte
// character as one; half a character at the end is left out).
std::string LimitTypedText(const std::string& text);

// The list text: the start of the text on one line (line breaks and tabs
// shown as blanks), cut with "…" after maxBytes.
std::string TypedTextPreview(const std::string& text, std::size_t maxBytes);

// What typing the text sends, one item after the other: a character as
// itself (Unicode, so that neither the keyboard layout nor the input method
// changes it), a line break as Enter and a tab as Tab. Other control
// characters are not typed.
struct TypedKey {
    enum Kind : std::uint8_t { Character, Key };
    Kind kind = Character;
    char16_t character = 0;
    std::uint8_t virtualKey = 0;
};
std::vector<TypedKey> TypedKeysOf(const std::u16string& text);
