#include "MidiOutBytes.h"

#include <cctype>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// Data bytes after a channel or system common status; -1 for a status that
// starts no message of its own here.
int DataBytesOf(std::uint8_t status) {
    switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
        return 2;
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        break;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 1;
    case 0xF2:
        return 2;
    case 0xF6:
        return 0;
    default:
        return -1; // F0 is read apart, F7 alone and the real-time bytes are refused
    }
}

std::optional<std::vector<std::uint8_t>> HexBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0 || (i + 2 < text.size() && !IsBlank(text[i + 2]))) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

} // namespace

std::optional<std::vector<MidiOutMessage>> ParseMidiOutBytes(const std::string& text) {
    const std::optional<std::vector<std::uint8_t>> bytes = HexBytes(text);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<MidiOutMessage> messages;
    std::size_t i = 0;
    while (i < bytes->size()) {
        const std::uint8_t status = (*bytes)[i];
        if (status == 0xF0) {
            std::size_t end = i + 1;
            while (end < bytes->size() && (*bytes)[end] < 0x80) {
                ++end;
            }
            if (end >= bytes->size() || (*bytes)[end] != 0xF7) {
                return std::nullopt;
            }
            messages.emplace_back(bytes->begin() + static_cast<std::ptrdiff_t>(i),
                                  bytes->begin() + static_cast<std::ptrdiff_t>(end + 1));
            i = end + 1;
            continue;
        }
        const int data = status >= 0x80 ? DataBytesOf(status) : -1;
        if (data < 0 || i + static_cast<std::size_t>(data) >= bytes->size()) {
            return std::nullopt;
        }
        MidiOutMessage message(1, status);
        for (int k = 1; k <= data; ++k) {
            const std::uint8_t value = (*bytes)[i + static_cast<std::size_t>(k)];
            if (value >= 0x80) {
                return std::nullopt;
            }
            message.push_back(value);
        }
        messages.push_back(std::move(message));
        i += 1 + static_cast<std::size_t>(data);
    }
    return messages;
}

std::uint32_t PackShortMessage(const MidiOutMessage& message) {
    std::uint32_t packed = 0;
    for (std::size_t i = 0; i < message.size() && i < 3; ++i) {
        packed |= static_cast<std::uint32_t>(message[i]) << (8 * i);
    }
    return packed;
}
