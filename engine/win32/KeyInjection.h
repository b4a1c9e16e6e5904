#pragma once
#include <cstdint>

class CHeldKeys;
struct KeyStrokeEvent;
struct StrokeTarget;

// Sends `repeat` strokes (modifiers of keyFlag around a key, a mouse button
// or a wheel notch) to the window with the keyboard focus, as one
// uninterruptible batch, with the modifiers the user holds lifted around
// them (but not the keys held rules keep down). True when the platform took
// every event.
bool SendStrokes(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                 const CHeldKeys& programHeld);

// Sends the events as they are, in one batch: keys, mouse buttons and wheel
// notches alike.
bool SendKeyStrokeEvents(const KeyStrokeEvent* events, int count);

// The side-specific modifiers that are down now, as a mask over
// kSideModifierKeys.
std::uint8_t SideModifiersDown();
