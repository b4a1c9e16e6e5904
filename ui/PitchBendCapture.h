#pragma once
#include <cstdint>

// Turns the stream of pitch-bend values into wheel movements out of the
// centre's dead zone (-49..49): one movement selects a kind once, and the
// wheel must come back inside the zone before the next one counts.
class CPitchBendCapture {
public:
    static constexpr std::int32_t kDeadZone = 50;
    static constexpr int kNone = -1;

    // PitchBendPlus or PitchBendMinus when this value leaves the dead zone,
    // kNone otherwise.
    int OnValue(std::int32_t value);

private:
    std::int32_t m_nLastPitchBend = 0;
};
