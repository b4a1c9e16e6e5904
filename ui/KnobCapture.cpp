#include "KnobCapture.h"

#include "ChangeTableItem.h"
#include "ControllerSteps.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Encoders send small steps around 0 (128) or around 64; a knob that sends
// its position moves through those values too, but never sends the same one
// twice in a row except at its end stops, and never jumps by more than a
// fast turn.
constexpr int kLargestTurn = kMaxStepsPerMessage;

bool NearZero(int value) {
    return value >= 1 && value < kLargestTurn;
}
bool JustBelow128(int value) {
    return value > 127 - kLargestTurn && value <= 127;
}
bool NearSixtyFour(int value) {
    return value != 64 && std::abs(value - 64) < kLargestTurn;
}

CKnobCapture::Guess Turned(int ccMode, int value) {
    const int steps = RelativeSteps(ccMode, static_cast<std::uint8_t>(value));
    CKnobCapture::Guess guess;
    guess.turned = steps != 0;
    guess.inputKind =
        steps > 0 ? CChangeTableItem::ControlChangeUp : CChangeTableItem::ControlChangeDown;
    guess.ccMode = ccMode;
    return guess;
}

CKnobCapture::Guess Relative(int value, int currentMode) {
    if (NearZero(value)) { // up in both encodings centred on 0
        const bool keep = currentMode == CChangeTableItem::CCModeTwosComplement ||
                          currentMode == CChangeTableItem::CCModeSignBit;
        return Turned(keep ? currentMode : CChangeTableItem::CCModeTwosComplement, value);
    }
    if (JustBelow128(value)) {
        return Turned(CChangeTableItem::CCModeTwosComplement, value);
    }
    if (NearSixtyFour(value)) {
        // Above 64 is up in the offset encoding but down with a sign bit;
        // only an encoder that has sent its up values near 0 has a sign bit.
        const bool signBit = value > 64 && (currentMode == CChangeTableItem::CCModeSignBit ||
                                            currentMode == CChangeTableItem::CCModeTwosComplement);
        return Turned(signBit ? CChangeTableItem::CCModeSignBit
                              : CChangeTableItem::CCModeBinaryOffset,
                      value);
    }
    return CKnobCapture::Guess();
}

} // namespace

CKnobCapture::Guess CKnobCapture::OnValue(int controller, int value, int currentMode) {
    const bool sameController = controller == m_nController;
    const int previous = sameController ? m_nLastValue : -1;
    m_nController = controller;
    m_nLastValue = value;
    if (previous < 0 || value == 0 || previous == 0) {
        return Guess(); // the first value, or a pedal or button on or off
    }
    const int change = value - previous;
    const bool relativeShown = currentMode != CChangeTableItem::CCModeAbsolute;
    // 127 again is a knob at its end stop, unless an encoder that sends
    // 127 for one step down is already known.
    const bool repeated = change == 0 && (value != 127 || relativeShown);
    // An encoder centred on 0 that changes direction jumps across 0/128,
    // or from near 0 to just above 64 with a sign bit.
    const bool jumped = (NearZero(previous) && (JustBelow128(value) || value > 64)) ||
                        ((JustBelow128(previous) || previous > 64) && NearZero(value) &&
                         std::abs(change) >= kLargestTurn);
    if (repeated || jumped || (relativeShown && change != 0)) {
        const Guess relative = Relative(value, currentMode);
        if (relative.turned || repeated || jumped) {
            return relative;
        }
    }
    if (change == 0) {
        return Guess(); // an end stop
    }
    Guess guess;
    guess.turned = true;
    guess.inputKind =
        change > 0 ? CChangeTableItem::ControlChangeUp : CChangeTableItem::ControlChangeDown;
    guess.ccMode = CChangeTableItem::CCModeAbsolute;
    return guess;
}
