#pragma once
#include <cstdint>

// The local time of day, for stamping MIDI messages as they arrive.
class ITimeOfDay {
public:
    virtual ~ITimeOfDay() = default;
    // Milliseconds since local midnight, 0..86,399,999.
    virtual std::uint32_t MillisecondsOfDay() const = 0;
};

// The platform's clock.
const ITimeOfDay& PlatformTimeOfDay();
