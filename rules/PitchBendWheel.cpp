#include "PitchBendWheel.h"

#include "ChangeTableItem.h"

// Compared on both sides rather than through a magnitude: the negation of
// the most negative value would overflow.
bool CPitchBendWheel::IsCentred(std::int32_t value) {
    return value > -kDeadZone && value < kDeadZone;
}

CPitchBendWheel::Movement CPitchBendWheel::OnValue(std::int32_t value) {
    const bool wasCentred = IsCentred(m_nLastPitchBend);
    const bool isCentred = IsCentred(value);
    m_nLastPitchBend = value;
    if (wasCentred && !isCentred) {
        return value < 0 ? LeftDownwards : LeftUpwards;
    }
    if (!wasCentred && isCentred) {
        return Returned;
    }
    return Stayed;
}

std::uint8_t CPitchBendWheel::InputKindOf(Movement left) {
    return left == LeftDownwards ? CChangeTableItem::PitchBendMinus
                                 : CChangeTableItem::PitchBendPlus;
}
