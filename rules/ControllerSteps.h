#pragma once
#include <cstdint>

// A knob or an encoder read as steps: positive turned up, negative turned
// down, 0 no move. One message never stands for more than this many steps,
// so an accelerated encoder keeps its speed and a flood cannot pile up.
constexpr int kMaxStepsPerMessage = 16;

// The steps one value of a relative encoder stands for, read in the
// encoding `ccMode` (CChangeTableItem::CCModeTwosComplement, ...). 0 for
// the "no move" values and for modes this program does not know.
int RelativeSteps(int ccMode, std::uint8_t value);

// The steps of a knob that sends its position: the change from the
// previous value.
int AbsoluteSteps(std::uint8_t previous, std::uint8_t value);

// How many times a rule of direction `up` acts for `steps`: 0 for the other
// direction, at most kMaxStepsPerMessage.
int StepsInDirection(int steps, bool up);
