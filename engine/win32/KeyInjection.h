#pragma once
#include <cstdint>

// Sends one key stroke (modifiers of keyFlag around keyCode) to the window
// with the keyboard focus, as one uninterruptible batch. True when the
// platform took every event.
bool SendKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag);
