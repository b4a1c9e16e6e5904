#include "PitchBendCapture.h"

#include "ChangeTableItem.h"

namespace {
// Widened so that no value of the signed range overflows.
std::int64_t Magnitude(std::int32_t value) {
    return value < 0 ? -static_cast<std::int64_t>(value) : value;
}
} // namespace

int CPitchBendCapture::OnValue(std::int32_t value) {
    int kind = kNone;
    if (Magnitude(m_nLastPitchBend) < kDeadZone && Magnitude(value) >= kDeadZone) {
        kind = value > 0 ? CChangeTableItem::PitchBendPlus : CChangeTableItem::PitchBendMinus;
    }
    m_nLastPitchBend = value;
    return kind;
}
