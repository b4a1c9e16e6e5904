#pragma once
#include <cstdint>

class CChangeTableItem;

// One incoming event as the rules are matched on it: its input kind, its
// channel, the one number its kind has and the device slot it came from.
// Built for every message, so it is a few bytes and no rule.
struct InputEvent {
    std::uint8_t kind = 0;
    // 1..16 from the port; a probe handed to the engine may bring any value.
    std::uint8_t channel = 0;
    // The note, controller or program number; 0 for the bend directions.
    std::uint8_t number = 0;
    // A probe's display offset of its program number; 0 from the port.
    std::uint8_t pcRange = 0;
    // The slot (1..8) of the port it came from; 0: none (only the rules for
    // every device take it).
    std::uint8_t device = 0;

    // The event a probe rule describes: the number is taken from the field
    // its input kind uses.
    static InputEvent Of(const CChangeTableItem& probe);
};
