#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One item of a key sequence rule: a stroke (modifier bits as in KeyFlag and
// a virtual-key code), a wait in milliseconds, or a piece of text the program
// cannot read (kept, so that a hand-edited or newer file is not lost at the
// next save, shown, and skipped when the sequence plays).
struct KeySequenceItem {
    enum Kind : std::uint8_t { Stroke, Wait, Unreadable };
    Kind kind = Stroke;
    std::uint8_t keyFlag = 0;
    std::uint8_t keyCode = 0;
    int waitMs = 0;
    std::string unreadable;
};

constexpr int kMaxKeySequenceItems = 64;
constexpr int kMinSequenceWaitMs = 1;
constexpr int kMaxSequenceWaitMs = 5000;

// Items separated by blanks: "<KeyFlag>:<KeyCode>" in decimal ("1:67" is
// Ctrl+C) or "w<ms>" (1..5000). Items past the 64th are left out.
std::vector<KeySequenceItem> ParseKeySequence(const std::string& text);
// The stored form, items separated by one blank.
std::string WriteKeySequence(const std::vector<KeySequenceItem>& items);
// The text of one item as the lists show it: "Ctrl+C", "200ms", or the
// unreadable text in brackets.
std::string GetKeySequenceItemText(const KeySequenceItem& item);
// The items' texts separated by ", ", cut with "…" after maxBytes.
std::string GetKeySequenceText(const std::vector<KeySequenceItem>& items, std::size_t maxBytes);

KeySequenceItem SequenceStroke(std::uint8_t keyFlag, std::uint8_t keyCode);
KeySequenceItem SequenceWait(int waitMs);

// "Ctrl+", "Shift+", "Alt+" for the bits of a key flag, in that order.
std::string KeyFlagText(std::uint8_t keyFlag);

// The start of `text` with at most maxBytes bytes, ended with "…" when cut.
std::string CutWithEllipsis(const std::string& text, std::size_t maxBytes);
