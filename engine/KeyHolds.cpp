#include "KeyHolds.h"

#include "ChangeTableItem.h"

int CKeyHolds::Hold(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
                    std::uint8_t channel, std::uint8_t number,
                    KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    for (int i = 0; i < m_count; ++i) {
        const Record& record = m_records[i];
        if (record.rule == rule.GetId() && record.device == device &&
            record.inputKind == inputKind &&
            record.channel == channel && record.number == number) {
            return 0; // a repeated press of what is already held
        }
    }
    StrokeTarget target;
    if (m_count == kMaxHolds ||
        !RuleTarget(rule.OutputKind, rule.KeyCode, rule.MouseAction, target)) {
        return 0;
    }
    m_records[m_count++] = Record{rule.GetId(), device, inputKind, channel, number, target, rule.KeyFlag};
    ++m_changes;
    return m_keys.Press(target, rule.KeyFlag, events);
}

template <typename Test> int CKeyHolds::ReleaseWhere(Test test, ReleaseEvents& events) {
    int count = 0;
    int kept = 0;
    // Newest first, so that keys go up in the reverse order they went down.
    for (int i = m_count - 1; i >= 0; --i) {
        if (!test(m_records[i])) {
            continue;
        }
        KeyStrokeEvent released[kMaxKeyStrokeEvents];
        const int releasedCount =
            m_keys.Release(m_records[i].target, m_records[i].keyFlag, released);
        for (int e = 0; e < releasedCount; ++e) {
            events[count++] = released[e];
        }
        m_records[i].rule = kReleased;
    }
    for (int i = 0; i < m_count; ++i) {
        if (m_records[i].rule != kReleased) {
            m_records[kept++] = m_records[i];
        }
    }
    if (kept != m_count) {
        ++m_changes;
    }
    m_count = kept;
    return count;
}

int CKeyHolds::ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note,
                           ReleaseEvents& events) {
    return ReleaseWhere(
        [&](const Record& record) {
            return record.device == device && record.inputKind == CChangeTableItem::Note && record.channel == channel &&
                   record.number == note;
        },
        events);
}

int CKeyHolds::ReleaseBend(std::uint8_t device, ReleaseEvents& events) {
    return ReleaseWhere(
        [&](const Record& record) {
            return record.device == device &&
                   (record.inputKind == CChangeTableItem::PitchBendMinus ||
                    record.inputKind == CChangeTableItem::PitchBendPlus);
        },
        events);
}

int CKeyHolds::ReleaseController(const CChangeTableItem& rule, std::uint8_t device,
                                 std::uint8_t channel, std::uint8_t controller,
                                 ReleaseEvents& events) {
    return ReleaseWhere(
        [&](const Record& record) {
            return record.rule == rule.GetId() && record.device == device &&
                   record.inputKind == CChangeTableItem::ControlChange &&
                   record.channel == channel && record.number == controller;
        },
        events);
}

int CKeyHolds::ReleaseDevice(std::uint8_t device, ReleaseEvents& events) {
    return ReleaseWhere([&](const Record& record) { return record.device == device; }, events);
}

int CKeyHolds::ReleaseAll(ReleaseEvents& events) {
    return ReleaseWhere([](const Record&) { return true; }, events);
}

bool CKeyHolds::HoldsController(std::uint8_t device, std::uint8_t channel,
                               std::uint8_t controller) const {
    for (int i = 0; i < m_count; ++i) {
        const Record& record = m_records[i];
        if (record.device == device && record.inputKind == CChangeTableItem::ControlChange && record.channel == channel &&
            record.number == controller) {
            return true;
        }
    }
    return false;
}

bool CKeyHolds::HoldsRule(CChangeTableItem::Id rule) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_records[i].rule == rule) {
            return true;
        }
    }
    return false;
}
