#pragma once
#include <cstdint>

// The keyboard as the whole system sees it at this moment: a key reads down
// while anyone holds it, the user's fingers or a program's injected press.
class IKeyboardState {
public:
    virtual ~IKeyboardState() = default;
    virtual bool IsDown(std::uint8_t virtualKey) = 0;
};
