#pragma once
#include <cstdint>

class CChangeTableItem;

// One incoming event as the rules are matched on it: its input kind, its
// channel and the one number its kind has. Built for every message, so it
// is four bytes and no rule.
struct InputEvent {
    std::uint8_t kind = 0;
    // 1..16 from the port; a probe handed to the engine may bring any value.
    std::uint8_t channel = 0;
    // The note, controller or program number; 0 for the bend directions.
    std::uint8_t number = 0;
    // A probe's display offset of its program number; 0 from the port.
    std::uint8_t pcRange = 0;

    // The event a probe rule describes: the number is taken from the field
    // its input kind uses.
    static InputEvent Of(const CChangeTableItem& probe);
};
