#include "ConversionEngine.h"

#include "ChangeTable.h"
#include "EngineActions.h"
#include "OpenMapEditDlg.h"

#include <cstring>

namespace {

// The bend wheel's centre zone: values inside it never fire.
constexpr std::int32_t kPitchBendDeadZone = 50;
constexpr std::uint8_t kControllerCount = 128;

std::int32_t Magnitude(std::int32_t v) {
    return v < 0 ? -v : v;
}

std::uint8_t ProbeChannel(std::uint8_t channel) {
    return static_cast<std::uint8_t>(channel + 1);
}

} // namespace

CConversionEngine::CConversionEngine(CChangeTable* table, IEngineActions& actions)
    : m_pChangeTable(table), m_actions(actions) {}

void CConversionEngine::OnNoteOn(std::uint32_t, std::uint8_t channel, std::uint8_t note,
                                 std::uint8_t) {
    CChangeTableItem probe;
    probe.InputKind = CChangeTableItem::Note;
    probe.InputCh = ProbeChannel(channel);
    probe.NoteNumber = note;
    ConvertInput(probe, 0);
}

void CConversionEngine::OnNoteOff(std::uint32_t, std::uint8_t channel, std::uint8_t note) {
    const std::uint8_t probeChannel = ProbeChannel(channel);
    ReleaseHolds([&](const KeyHoldRecord& hold) {
        return hold.inputKind == CChangeTableItem::Note && hold.channel == probeChannel &&
               hold.number == note;
    });
}

void CConversionEngine::OnPitchBend(std::uint32_t, std::uint8_t channel, std::int32_t value) {
    if (Magnitude(m_nLastPitchBend) >= kPitchBendDeadZone &&
        Magnitude(value) < kPitchBendDeadZone) {
        // The wheel state is shared by all channels, so is its return.
        ReleaseHolds([](const KeyHoldRecord& hold) {
            return hold.inputKind == CChangeTableItem::PitchBendMinus ||
                   hold.inputKind == CChangeTableItem::PitchBendPlus;
        });
    }
    if (Magnitude(m_nLastPitchBend) < kPitchBendDeadZone &&
        Magnitude(value) >= kPitchBendDeadZone) {
        CChangeTableItem probe;
        probe.InputKind =
            value < 1 ? CChangeTableItem::PitchBendMinus : CChangeTableItem::PitchBendPlus;
        probe.InputCh = ProbeChannel(channel);
        ConvertInput(probe, 0);
    }
    m_nLastPitchBend = value;
}

void CConversionEngine::OnControlChange(std::uint32_t, std::uint8_t channel,
                                        std::uint8_t controller, std::uint8_t value) {
    if (controller >= kControllerCount) {
        return;
    }
    CChangeTableItem probe;
    probe.InputKind = CChangeTableItem::ControlChange;
    probe.InputCh = ProbeChannel(channel);
    probe.CCNumber = controller;
    ConvertInput(probe, value);
    // Stored after matching, so the edge test sees the value from before.
    m_lastCCValue[controller] = value;
}

void CConversionEngine::OnProgramChange(std::uint32_t, std::uint8_t channel, std::uint8_t program) {
    CChangeTableItem probe;
    probe.InputKind = CChangeTableItem::ProgramChange;
    probe.InputCh = ProbeChannel(channel);
    probe.PCNumber = program;
    ConvertInput(probe, 0);
}

bool CConversionEngine::Matches(const CChangeTableItem& rule, const CChangeTableItem& probe,
                                std::uint8_t value) const {
    if (rule.InputKind != probe.InputKind) {
        return false;
    }
    if (rule.InputCh != 0 && rule.InputCh != probe.InputCh) {
        return false;
    }
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
        return rule.NoteNumber <= probe.NoteNumber && probe.NoteNumber <= rule.NoteNumberEnd;
    case CChangeTableItem::ControlChange:
        if (rule.CCNumber != probe.CCNumber) {
            return false;
        }
        if (rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) {
            // ConvertInput is public: whatever probe it is given, the index
            // stays inside the table.
            return m_lastCCValue[rule.CCNumber & 0x7F] == 0 && value != 0;
        }
        return true;
    case CChangeTableItem::PitchBendMinus:
    case CChangeTableItem::PitchBendPlus:
        return true;
    case CChangeTableItem::ProgramChange:
        return static_cast<int>(rule.PCNumber) - static_cast<int>(rule.PCRange) ==
               static_cast<int>(probe.PCNumber) - static_cast<int>(probe.PCRange);
    default:
        return false;
    }
}

void CConversionEngine::Perform(const CChangeTableItem& rule) {
    switch (rule.OutputKind) {
    case CChangeTableItem::KeyInput:
        m_actions.StrikeKey(rule.KeyCode, rule.KeyFlag, m_heldKeys);
        break;
    case CChangeTableItem::ActivateApplication: {
        const std::string exePath = rule.GetActExePath();
        if (exePath.empty()) {
            break;
        }
        if (rule.ActLaunch != 0) {
            m_actions.ActivateOrLaunchApplication(exePath);
        } else {
            m_actions.ActivateApplication(exePath);
        }
        break;
    }
    case CChangeTableItem::ToggleEnabled:
        OnToggleEnabled();
        break;
    default:
        break;
    }
}

void CConversionEngine::ConvertInput(const CChangeTableItem& probe, std::uint8_t value) {
    if (g_pOpenMapEditDlg != nullptr || m_pChangeTable == nullptr) {
        return;
    }
    // The count and the switch are read anew for every rule: an action may
    // toggle the converter, and a nested message loop may change the table.
    for (int i = 0; i < m_pChangeTable->GetSize(); ++i) {
        const CChangeTableItem* rule = m_pChangeTable->GetAt(i);
        if (rule == nullptr) {
            continue;
        }
        if (!m_bEnabled && rule->OutputKind != CChangeTableItem::ToggleEnabled) {
            continue;
        }
        if (IsHeldKeyRule(*rule)) {
            ConvertHeldKeyRule(*rule, probe, value);
        } else if (Matches(*rule, probe, value)) {
            Perform(*rule);
        }
    }
}

bool CConversionEngine::IsHeldKeyRule(const CChangeTableItem& rule) {
    if (rule.OutputKind != CChangeTableItem::KeyInput || rule.KeyHold == 0) {
        return false;
    }
    // A program change has no release, so such a rule strikes as usual.
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
    case CChangeTableItem::ControlChange:
    case CChangeTableItem::PitchBendMinus:
    case CChangeTableItem::PitchBendPlus:
        return true;
    default:
        return false;
    }
}

void CConversionEngine::ConvertHeldKeyRule(const CChangeTableItem& rule,
                                           const CChangeTableItem& probe, std::uint8_t value) {
    if (rule.InputKind != CChangeTableItem::ControlChange) {
        if (Matches(rule, probe, value)) {
            Hold(rule, probe.InputKind, probe.InputCh,
                 rule.InputKind == CChangeTableItem::Note ? probe.NoteNumber : 0);
        }
        return;
    }
    if (probe.InputKind != CChangeTableItem::ControlChange ||
        (rule.InputCh != 0 && rule.InputCh != probe.InputCh) || rule.CCNumber != probe.CCNumber) {
        return;
    }
    // Pedals send 64 or more for down; with the edge flag any move off 0 is
    // the press and only the return to 0 the release.
    const bool edge = (rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) != 0;
    const bool release = edge ? value == 0 : value < 64;
    if (release) {
        ReleaseHolds([&](const KeyHoldRecord& hold) {
            return hold.rule == &rule && hold.inputKind == CChangeTableItem::ControlChange &&
                   hold.channel == probe.InputCh && hold.number == probe.CCNumber;
        });
    } else if (!edge || Matches(rule, probe, value)) {
        Hold(rule, CChangeTableItem::ControlChange, probe.InputCh, probe.CCNumber);
    }
}

void CConversionEngine::Hold(const CChangeTableItem& rule, std::uint8_t inputKind,
                             std::uint8_t channel, std::uint8_t number) {
    for (int i = 0; i < m_holdCount; ++i) {
        const KeyHoldRecord& hold = m_holds[i];
        if (hold.rule == &rule && hold.inputKind == inputKind && hold.channel == channel &&
            hold.number == number) {
            return; // a repeated press of what is already held
        }
    }
    if (m_holdCount == kMaxKeyHolds) {
        return; // better no key than one that could not be released
    }
    m_holds[m_holdCount++] =
        KeyHoldRecord{&rule, inputKind, channel, number, rule.KeyCode, rule.KeyFlag};
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    const int count = m_heldKeys.Press(rule.KeyCode, rule.KeyFlag, events);
    if (count > 0) {
        m_actions.SendKeyEvents(events, count);
    }
}

template <typename Test> void CConversionEngine::ReleaseHolds(Test test) {
    // Each key goes up at most once, so 256 events always suffice.
    KeyStrokeEvent batch[256];
    int batchCount = 0;
    int kept = 0;
    for (int i = m_holdCount - 1; i >= 0; --i) {
        const KeyHoldRecord& hold = m_holds[i];
        if (!test(hold)) {
            continue;
        }
        KeyStrokeEvent events[kMaxKeyStrokeEvents];
        const int count = m_heldKeys.Release(hold.keyCode, hold.keyFlag, events);
        for (int e = 0; e < count; ++e) {
            batch[batchCount++] = events[e];
        }
        m_holds[i].rule = nullptr; // marks the record as released
    }
    for (int i = 0; i < m_holdCount; ++i) {
        if (m_holds[i].rule != nullptr) {
            m_holds[kept++] = m_holds[i];
        }
    }
    m_holdCount = kept;
    if (batchCount > 0) {
        m_actions.SendKeyEvents(batch, batchCount);
    }
}

void CConversionEngine::ReleaseHeldKeys() {
    ReleaseHolds([](const KeyHoldRecord&) { return true; });
}

void CConversionEngine::OnToggleEnabled() {
    m_bEnabled = !m_bEnabled;
    if (!m_bEnabled) {
        ReleaseHeldKeys();
    }
    m_actions.EnabledChanged(m_bEnabled);
}

void CConversionEngine::ResetControllerValues() {
    std::memset(m_lastCCValue, 0, sizeof m_lastCCValue);
}
