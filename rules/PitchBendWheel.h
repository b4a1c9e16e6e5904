#pragma once
#include <cstdint>

// The bend wheel as the rules see it: values within 49 of the centre are the
// wheel at rest. Leaving that zone is one press of PitchBendMinus or
// PitchBendPlus; the wheel must come back into the zone, which is the
// release, before the next movement counts. There is one wheel for all
// channels.
class CPitchBendWheel {
public:
    static constexpr std::int32_t kDeadZone = 50;

    enum Movement {
        Stayed,
        LeftDownwards,
        LeftUpwards,
        Returned,
    };

    // Takes the next value (-8192..8191; any 32-bit value is safe).
    Movement OnValue(std::int32_t value);

    // PitchBendMinus for LeftDownwards, PitchBendPlus for LeftUpwards.
    static std::uint8_t InputKindOf(Movement left);

private:
    static bool IsCentred(std::int32_t value);

    std::int32_t m_nLastPitchBend = 0;
};
