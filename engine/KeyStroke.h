#pragma once
#include <cstdint>

// One key going down or up within a key stroke.
struct KeyStrokeEvent {
    std::uint8_t virtualKey;
    bool keyUp;
    // Keys of the enhanced keyboard's extra blocks: without this flag they
    // arrive as their numeric-keypad twins (arrows as digits with Num Lock on).
    bool extended;
};

constexpr int kMaxKeyStrokeEvents = 8;

// The presses and releases of one key stroke, in the order they are sent:
// Ctrl, Shift, Alt down (bits 0, 1, 2 of keyFlag), the key down and up, then
// the modifiers up in reverse order. Returns the number of events written.
int BuildKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag,
                   KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);

// True for the virtual keys whose scan code carries the E0 prefix.
bool IsExtendedKey(std::uint8_t virtualKey);
