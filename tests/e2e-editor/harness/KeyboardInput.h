#pragma once
#include <windows.h>

#include <vector>

// Real key presses through the platform's input queue, so that the window
// with the focus sees them together with the state of Ctrl, Shift and Alt:
// the keys go down in the given order and come up in reverse order.
bool TypeChord(const std::vector<WORD>& virtualKeys);
