#include "KeySequence.h"

#include "KeyNames.h"
#include "StringUtil.h"

#include <cstdlib>

namespace {

const char kEllipsis[] = "…";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal number of at most five digits filling [begin, end): the codes
// and waits are small, and a longer run of digits is damage, not a value.
bool ReadNumber(const std::string& text, std::size_t begin, std::size_t end, int& value) {
    if (begin >= end || end - begin > 5) {
        return false;
    }
    value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

KeySequenceItem ReadItem(const std::string& word) {
    int first = 0;
    int second = 0;
    if (!word.empty() && (word[0] == 'w' || word[0] == 'W') &&
        ReadNumber(word, 1, word.size(), first) && first >= kMinSequenceWaitMs &&
        first <= kMaxSequenceWaitMs) {
        return SequenceWait(first);
    }
    const std::size_t colon = word.find(':');
    if (colon != std::string::npos && ReadNumber(word, 0, colon, first) && first <= 0xFF &&
        ReadNumber(word, colon + 1, word.size(), second) && second >= 1 && second <= 0xFF) {
        return SequenceStroke(static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second));
    }
    KeySequenceItem item;
    item.kind = KeySequenceItem::Unreadable;
    item.unreadable = word;
    return item;
}

} // namespace

KeySequenceItem SequenceStroke(std::uint8_t keyFlag, std::uint8_t keyCode) {
    KeySequenceItem item;
    item.kind = KeySequenceItem::Stroke;
    item.keyFlag = keyFlag;
    item.keyCode = keyCode;
    return item;
}

KeySequenceItem SequenceWait(int waitMs) {
    KeySequenceItem item;
    item.kind = KeySequenceItem::Wait;
    item.waitMs = waitMs < kMinSequenceWaitMs   ? kMinSequenceWaitMs
                  : waitMs > kMaxSequenceWaitMs ? kMaxSequenceWaitMs
                                                : waitMs;
    return item;
}

std::vector<KeySequenceItem> ParseKeySequence(const std::string& text) {
    std::vector<KeySequenceItem> items;
    std::size_t i = 0;
    while (i < text.size() && static_cast<int>(items.size()) < kMaxKeySequenceItems) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        std::size_t end = i;
        while (end < text.size() && !IsBlank(text[end])) {
            ++end;
        }
        if (end > i) {
            items.push_back(ReadItem(text.substr(i, end - i)));
        }
        i = end;
    }
    return items;
}

std::string WriteKeySequence(const std::vector<KeySequenceItem>& items) {
    std::string text;
    for (const KeySequenceItem& item : items) {
        if (!text.empty()) {
            text += ' ';
        }
        switch (item.kind) {
        case KeySequenceItem::Stroke:
            text += Format("%d:%d", item.keyFlag, item.keyCode);
            break;
        case KeySequenceItem::Wait:
            text += Format("w%d", item.waitMs);
            break;
        default:
            text += item.unreadable;
            break;
        }
    }
    return text;
}

std::string KeyFlagText(std::uint8_t keyFlag) {
    std::string text;
    if (keyFlag & 0x01) {
        text += "Ctrl+";
    }
    if (keyFlag & 0x02) {
        text += "Shift+";
    }
    if (keyFlag & 0x04) {
        text += "Alt+";
    }
    return text;
}

std::string GetKeySequenceItemText(const KeySequenceItem& item) {
    switch (item.kind) {
    case KeySequenceItem::Stroke:
        return KeyFlagText(item.keyFlag) + GetKeyName(item.keyCode);
    case KeySequenceItem::Wait:
        return Format("%dms", item.waitMs);
    default:
        return "[" + item.unreadable + "]";
    }
}

std::string GetKeySequenceText(const std::vector<KeySequenceItem>& items, std::size_t maxBytes) {
    std::string text;
    for (const KeySequenceItem& item : items) {
        if (!text.empty()) {
            text += ", ";
        }
        text += GetKeySequenceItemText(item);
        if (text.size() > maxBytes) {
            break; // the rest would be cut anyway
        }
    }
    return CutWithEllipsis(text, maxBytes);
}

std::string CutWithEllipsis(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    const std::size_t room = maxBytes > 2 ? maxBytes - 2 : 0;
    return CutAtCharacterBoundary(text, room) + kEllipsis;
}
