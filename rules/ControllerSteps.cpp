#include "ControllerSteps.h"

#include "ChangeTableItem.h"

int RelativeSteps(int ccMode, std::uint8_t value) {
    const int v = value & 0x7F;
    switch (ccMode) {
    case CChangeTableItem::CCModeTwosComplement:
        if (v == 64) {
            return 0;
        }
        return v < 64 ? v : v - 128;
    case CChangeTableItem::CCModeBinaryOffset:
        return v - 64;
    case CChangeTableItem::CCModeSignBit:
        return v < 64 ? v : -(v - 64);
    default:
        return 0;
    }
}

int AbsoluteSteps(std::uint8_t previous, std::uint8_t value) {
    return static_cast<int>(value) - static_cast<int>(previous);
}

int StepsInDirection(int steps, bool up) {
    const int wanted = up ? steps : -steps;
    if (wanted <= 0) {
        return 0;
    }
    return wanted < kMaxStepsPerMessage ? wanted : kMaxStepsPerMessage;
}
