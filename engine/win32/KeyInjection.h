#pragma once
#include <cstdint>

class CHeldKeys;
struct KeyStrokeEvent;

// Sends one key stroke (modifiers of keyFlag around keyCode) to the window
// with the keyboard focus, as one uninterruptible batch, with the modifiers
// the user holds lifted around it (but not the keys held rules keep down).
// True when the platform took every event.
bool SendKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag, const CHeldKeys& programHeld);

// Sends the events as they are, in one batch.
bool SendKeyStrokeEvents(const KeyStrokeEvent* events, int count);

// The side-specific modifiers that are down now, as a mask over
// kSideModifierKeys.
std::uint8_t SideModifiersDown();
