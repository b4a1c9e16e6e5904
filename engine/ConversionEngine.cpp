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

void CConversionEngine::OnPitchBend(std::uint32_t, std::uint8_t channel, std::int32_t value) {
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
        m_actions.StrikeKey(rule.KeyCode, rule.KeyFlag);
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
        if (Matches(*rule, probe, value)) {
            Perform(*rule);
        }
    }
}

void CConversionEngine::OnToggleEnabled() {
    m_bEnabled = !m_bEnabled;
    m_actions.EnabledChanged(m_bEnabled);
}

void CConversionEngine::ResetControllerValues() {
    std::memset(m_lastCCValue, 0, sizeof m_lastCCValue);
}
