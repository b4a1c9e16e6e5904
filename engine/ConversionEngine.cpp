#include "ConversionEngine.h"

#include "ChangeTable.h"
#include "EngineActions.h"

#include <cstring>

namespace {

constexpr std::uint8_t kControllerCount = 128;

std::uint8_t ProbeChannel(std::uint8_t channel) {
    return static_cast<std::uint8_t>(channel + 1);
}

} // namespace

CConversionEngine::CConversionEngine(CChangeTable* table, IEngineActions& actions)
    : m_pChangeTable(table), m_actions(actions), m_foregroundRules(actions) {}

void CConversionEngine::OnNoteOn(std::uint32_t, std::uint8_t channel, std::uint8_t note,
                                 std::uint8_t) {
    CChangeTableItem probe;
    probe.InputKind = CChangeTableItem::Note;
    probe.InputCh = ProbeChannel(channel);
    probe.NoteNumber = note;
    ConvertInput(probe, 0);
}

void CConversionEngine::OnNoteOff(std::uint32_t, std::uint8_t channel, std::uint8_t note) {
    CKeyHolds::ReleaseEvents events;
    SendKeyEvents(events, m_keyHolds.ReleaseNote(ProbeChannel(channel), note, events));
}

void CConversionEngine::OnPitchBend(std::uint32_t, std::uint8_t channel, std::int32_t value) {
    const CPitchBendWheel::Movement movement = m_pitchBendWheel.OnValue(value);
    if (movement == CPitchBendWheel::Returned) {
        CKeyHolds::ReleaseEvents events;
        SendKeyEvents(events, m_keyHolds.ReleaseBend(events));
    } else if (movement != CPitchBendWheel::Stayed) {
        CChangeTableItem probe;
        probe.InputKind = CPitchBendWheel::InputKindOf(movement);
        probe.InputCh = ProbeChannel(channel);
        ConvertInput(probe, 0);
    }
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
        m_actions.StrikeKey(rule.KeyCode, rule.KeyFlag, m_keyHolds.Keys());
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
    if (IsSuspended() || m_pChangeTable == nullptr) {
        return;
    }
    m_foregroundRules.Choose(*m_pChangeTable, [&](const CChangeTableItem& rule) {
        return TakesEvent(rule, probe, value);
    });
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
        const bool admitted = m_foregroundRules.Admits(i, *rule);
        if (rule->HoldsKey()) {
            ConvertHeldKeyRule(*rule, probe, value, admitted);
        } else if (admitted && Matches(*rule, probe, value)) {
            Perform(*rule);
        }
    }
}

bool CConversionEngine::TakesEvent(const CChangeTableItem& rule, const CChangeTableItem& probe,
                                   std::uint8_t value) const {
    if (rule.HoldsKey() && rule.InputKind == CChangeTableItem::ControlChange) {
        return probe.InputKind == CChangeTableItem::ControlChange &&
               (rule.InputCh == 0 || rule.InputCh == probe.InputCh) &&
               rule.CCNumber == probe.CCNumber;
    }
    return Matches(rule, probe, value);
}

void CConversionEngine::ConvertHeldKeyRule(const CChangeTableItem& rule,
                                           const CChangeTableItem& probe, std::uint8_t value,
                                           bool mayPress) {
    if (rule.InputKind != CChangeTableItem::ControlChange) {
        if (mayPress && Matches(rule, probe, value)) {
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
        CKeyHolds::ReleaseEvents events;
        SendKeyEvents(events,
                      m_keyHolds.ReleaseController(rule, probe.InputCh, probe.CCNumber, events));
    } else if (mayPress && (!edge || Matches(rule, probe, value))) {
        Hold(rule, CChangeTableItem::ControlChange, probe.InputCh, probe.CCNumber);
    }
}

void CConversionEngine::Hold(const CChangeTableItem& rule, std::uint8_t inputKind,
                             std::uint8_t channel, std::uint8_t number) {
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    SendKeyEvents(events, m_keyHolds.Hold(rule, inputKind, channel, number, events));
}

void CConversionEngine::SendKeyEvents(const KeyStrokeEvent* events, int count) {
    if (count > 0) {
        m_actions.SendKeyEvents(events, count);
    }
}

void CConversionEngine::ReleaseHeldKeys() {
    CKeyHolds::ReleaseEvents events;
    SendKeyEvents(events, m_keyHolds.ReleaseAll(events));
}

void CConversionEngine::OnToggleEnabled() {
    m_bEnabled = !m_bEnabled;
    if (!m_bEnabled) {
        ReleaseHeldKeys();
    }
    m_actions.EnabledChanged(m_bEnabled);
}

void CConversionEngine::Suspend() {
    ReleaseHeldKeys();
    ++m_nSuspended;
}

void CConversionEngine::Resume() {
    if (m_nSuspended > 0) {
        --m_nSuspended;
    }
    // Rules are edited and deleted only while the engine is suspended.
    m_foregroundRules.TableChanged();
}

void CConversionEngine::ResetControllerValues() {
    std::memset(m_lastCCValue, 0, sizeof m_lastCCValue);
}
