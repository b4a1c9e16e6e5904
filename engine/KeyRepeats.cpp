#include "KeyRepeats.h"

#include "ChangeTableItem.h"

#include <algorithm>

bool CKeyRepeats::Start(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
                        std::uint8_t channel, std::uint8_t number, std::uint64_t nowMs, int delayMs,
                        int intervalMs) {
    for (int i = 0; i < m_count; ++i) {
        const Record& r = m_records[i];
        if (r.rule == &rule && r.device == device && r.inputKind == inputKind &&
            r.channel == channel && r.number == number) {
            return false;
        }
    }
    if (m_count >= kMaxRepeats) {
        return false;
    }
    Record& r = m_records[m_count++];
    r.rule = &rule;
    r.device = device;
    r.inputKind = inputKind;
    r.channel = channel;
    r.number = number;
    r.target = KeyTarget(rule.KeyCode);
    r.keyFlag = rule.KeyFlag;
    r.intervalMs = std::max(intervalMs, 1);
    r.dueMs = nowMs + static_cast<std::uint64_t>(std::max(delayMs, 1));
    return true;
}

template <typename Test> void CKeyRepeats::ReleaseWhere(Test test) {
    int kept = 0;
    for (int i = 0; i < m_count; ++i) {
        if (!test(m_records[i])) {
            m_records[kept++] = m_records[i];
        }
    }
    m_count = kept;
}

void CKeyRepeats::ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note) {
    ReleaseWhere([&](const Record& r) {
        return r.device == device && r.inputKind == CChangeTableItem::Note &&
               r.channel == channel && r.number == note;
    });
}

void CKeyRepeats::ReleaseBend(std::uint8_t device) {
    ReleaseWhere([&](const Record& r) {
        return r.device == device && (r.inputKind == CChangeTableItem::PitchBendMinus ||
                                      r.inputKind == CChangeTableItem::PitchBendPlus);
    });
}

void CKeyRepeats::ReleaseController(const CChangeTableItem& rule, std::uint8_t device,
                                    std::uint8_t channel, std::uint8_t controller) {
    ReleaseWhere([&](const Record& r) {
        return r.rule == &rule && r.device == device &&
               r.inputKind == CChangeTableItem::ControlChange && r.channel == channel &&
               r.number == controller;
    });
}

void CKeyRepeats::ReleaseDevice(std::uint8_t device) {
    ReleaseWhere([&](const Record& r) { return r.device == device; });
}

int CKeyRepeats::NextDelay(std::uint64_t nowMs) const {
    if (m_count == 0) {
        return -1;
    }
    std::uint64_t next = m_records[0].dueMs;
    for (int i = 1; i < m_count; ++i) {
        next = std::min(next, m_records[i].dueMs);
    }
    return next > nowMs ? static_cast<int>(next - nowMs) : 0;
}

int CKeyRepeats::Run(std::uint64_t nowMs, const Strike& strike) {
    // Copied out first: a stroke may not change the records under the walk.
    StrokeTarget targets[kMaxRepeats];
    std::uint8_t flags[kMaxRepeats];
    int due = 0;
    for (int i = 0; i < m_count; ++i) {
        Record& r = m_records[i];
        if (r.dueMs <= nowMs) {
            r.dueMs = nowMs + static_cast<std::uint64_t>(r.intervalMs);
            targets[due] = r.target;
            flags[due++] = r.keyFlag;
        }
    }
    for (int i = 0; i < due; ++i) {
        strike(targets[i], flags[i]);
    }
    return NextDelay(nowMs);
}

int KeyboardRepeatDelayMs(int delaySetting) {
    return 250 * (1 + std::clamp(delaySetting, 0, 3));
}

int KeyboardRepeatIntervalMs(int speedSetting) {
    // From about 2.5 repeats a second at 0 to about 30 at 31, in even steps.
    const double perSecond = 2.5 + 27.5 * std::clamp(speedSetting, 0, 31) / 31.0;
    return static_cast<int>(1000.0 / perSecond + 0.5);
}
