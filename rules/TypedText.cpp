#include "TypedText.h"

#include "KeySequence.h"
#include "StringUtil.h"

namespace {

constexpr std::uint8_t kVkTab = 0x09;
constexpr std::uint8_t kVkReturn = 0x0D;

// A two-byte character starts at text[i]: a lead byte and a byte that can
// follow one. A damaged lead byte stands alone, so that it cannot swallow
// the line break or tab after it.
bool IsTwoByteCharacterAt(const std::string& text, std::size_t i) {
    if (i + 1 >= text.size() || !IsShiftJisLeadByte(static_cast<unsigned char>(text[i]))) {
        return false;
    }
    const unsigned char trail = static_cast<unsigned char>(text[i + 1]);
    return trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

} // namespace

std::string LimitTypedText(const std::string& text) {
    std::string result;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters < kMaxTypedTextCharacters; ++characters) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result += "\r\n";
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        } else if (IsTwoByteCharacterAt(text, i)) {
            result.append(text, i, 2);
            i += 2;
        } else if (i + 1 == text.size() && IsShiftJisLeadByte(static_cast<unsigned char>(c))) {
            break; // half a character at the end
        } else {
            result += c;
            ++i;
        }
    }
    return result;
}

std::string TypedTextPreview(const std::string& text, std::size_t maxBytes) {
    std::string line;
    for (std::size_t i = 0; i < text.size() && line.size() <= maxBytes; ++i) {
        const char c = text[i];
        if (IsTwoByteCharacterAt(text, i)) {
            line.append(text, i, 2);
            ++i;
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            line += ' ';
            ++i;
        } else {
            line += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
        }
    }
    return CutWithEllipsis(line, maxBytes);
}

std::vector<TypedKey> TypedKeysOf(const std::u16string& text) {
    std::vector<TypedKey> keys;
    keys.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        TypedKey key;
        if (c == u'\r' || c == u'\n') {
            key.kind = TypedKey::Key;
            key.virtualKey = kVkReturn;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\t') {
            key.kind = TypedKey::Key;
            key.virtualKey = kVkTab;
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else {
            key.character = c;
        }
        keys.push_back(key);
    }
    return keys;
}
