#pragma once
#include "ControllerSteps.h"

#include <cstdint>

// Where an event of a stroke goes: the keyboard, a mouse button (named by
// its virtual key, VK_LBUTTON and so on) or one of the wheels.
enum class InputDevice : std::uint8_t {
    Keyboard,
    MouseButton,
    Wheel,
    HorizontalWheel,
    // A character typed as itself (a Unicode code unit), whatever the
    // keyboard layout and the input method would make of a key.
    Character,
};

// One key or mouse button going down or up, or one wheel notch, within a
// stroke.
struct KeyStrokeEvent {
    std::uint8_t virtualKey;
    bool keyUp;
    // Keys of the enhanced keyboard's extra blocks: without this flag they
    // arrive as their numeric-keypad twins (arrows as digits with Num Lock on).
    bool extended;
    InputDevice device = InputDevice::Keyboard;
    // Wheels only: positive turns up or right.
    std::int16_t wheelDelta = 0;
    // Characters only: the UTF-16 code unit.
    char16_t character = 0;
};

constexpr int kMaxKeyStrokeEvents = 8;

// What one stroke presses between its modifiers: a key, a mouse button, or
// a wheel turned by one notch.
struct StrokeTarget {
    InputDevice device = InputDevice::Keyboard;
    std::uint8_t virtualKey = 0;
    std::int16_t wheelDelta = 0;
    char16_t character = 0;
};

// One notch of a mouse wheel, as the platform counts it.
constexpr std::int16_t kWheelNotch = 120;

StrokeTarget KeyTarget(std::uint8_t keyCode);
// A character typed as itself: its press and release, no modifiers.
StrokeTarget CharacterTarget(char16_t character);
// The wheel or button of a rule's MouseAction; false for an action this
// program does not know.
bool MouseTarget(std::uint8_t mouseAction, StrokeTarget& target);
// The target of a key or mouse rule; false for other rules and unknown
// mouse actions.
bool RuleTarget(std::uint8_t outputKind, std::uint8_t keyCode, std::uint8_t mouseAction,
                StrokeTarget& target);

// A virtual key that no window acts on. Struck before a lone release of Alt
// or a Windows key, so that the release opens neither the menu bar nor the
// Start menu, and before a foreground change, so that this program counts as
// the one that had the last input.
constexpr std::uint8_t kUnassignedVirtualKey = 0xE8;

// The presses and releases of one key stroke, in the order they are sent:
// Ctrl, Shift, Alt down (bits 0, 1, 2 of keyFlag), the key down and up, then
// the modifiers up in reverse order. Returns the number of events written.
int BuildKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag,
                   KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);
// The same around any target; a wheel notch is one event.
int BuildStroke(const StrokeTarget& target, std::uint8_t keyFlag,
                KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);

// True for the virtual keys whose scan code carries the E0 prefix.
bool IsExtendedKey(std::uint8_t virtualKey);

// The scan code a key event is sent with and its extended flag, from the
// platform's scan codes for the key with its prefix (0xE037 for Print
// Screen) and without (0x54 there, the code of Alt+Print Screen). An E0
// prefix makes the key extended; a mapping that lacks the prefix of a key
// known to have one keeps the flag. Pause's E1 sequence is not a key event
// scan code: it keeps the plain one, as the keyboard's own message has it.
struct KeyScanCode {
    std::uint8_t scanCode;
    bool extended;
};
KeyScanCode ScanCodeOf(const KeyStrokeEvent& event, unsigned mappedWithPrefix,
                       unsigned mappedPlain);

class CHeldKeys;

// The side-specific modifier keys a user can hold: left and right Ctrl,
// Shift, Alt, and both Windows keys. Bit i of a "down" mask stands for
// kSideModifierKeys[i].
constexpr int kSideModifierCount = 8;
extern const std::uint8_t kSideModifierKeys[kSideModifierCount];

// Room for the most strokes one message can ask for.
constexpr int kMaxStrokesPerBatch = kMaxStepsPerMessage;
constexpr int kMaxExactKeyStrokeEvents =
    2 + 2 * kSideModifierCount + kMaxStrokesPerBatch * kMaxKeyStrokeEvents;

// The rule's stroke and nothing else, whatever the user holds: modifiers
// that are down (physicallyDown, a mask as above) but not part of the rule
// are released before the stroke; Ctrl and Shift are pressed again after
// it, Alt and the Windows keys are not. Before Alt or a Windows key goes up
// alone, an unassigned key is struck, so that the release opens neither the
// menu bar nor the Start menu. Keys this program holds for held rules are
// left alone, and a modifier of the rule that the user or the program
// already holds is neither pressed nor released.
int BuildExactKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag, std::uint8_t physicallyDown,
                        const CHeldKeys& programHeld,
                        KeyStrokeEvent (&events)[kMaxExactKeyStrokeEvents]);
// The same for any target, struck `repeat` times (1..kMaxStrokesPerBatch)
// inside one lifting of the user's modifiers.
int BuildExactStroke(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                     std::uint8_t physicallyDown, const CHeldKeys& programHeld,
                     KeyStrokeEvent (&events)[kMaxExactKeyStrokeEvents]);
