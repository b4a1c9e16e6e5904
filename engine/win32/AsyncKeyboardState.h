#pragma once
#include "KeyboardState.h"

#include <windows.h>

// The keyboard as GetAsyncKeyState reads it.
class CAsyncKeyboardState : public IKeyboardState {
public:
    bool IsDown(std::uint8_t virtualKey) override {
        return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    }
};
