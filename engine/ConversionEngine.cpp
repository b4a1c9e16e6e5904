#include "ConversionEngine.h"

#include "ChangeTable.h"
#include "ControllerSteps.h"
#include "EngineActions.h"

#include <cstring>

namespace {

constexpr std::uint8_t kControllerCount = 128;

std::uint8_t ProbeChannel(std::uint8_t channel) {
    return static_cast<std::uint8_t>(channel + 1);
}

} // namespace

CConversionEngine::CConversionEngine(CChangeTable* table, IEngineActions& actions)
    : m_pChangeTable(table), m_actions(actions), m_foregroundRules(actions),
      m_timedStrokes(actions, m_keyHolds.Keys()) {
    ResetControllerValues();
}

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
    m_timedStrokes.Repeats().ReleaseNote(ProbeChannel(channel), note);
}

void CConversionEngine::OnPitchBend(std::uint32_t, std::uint8_t channel, std::int32_t value) {
    const CPitchBendWheel::Movement movement = m_pitchBendWheel.OnValue(value);
    if (movement == CPitchBendWheel::Returned) {
        CKeyHolds::ReleaseEvents events;
        SendKeyEvents(events, m_keyHolds.ReleaseBend(events));
        m_timedStrokes.Repeats().ReleaseBend();
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
    // Stored after matching, so the edge test and the knobs see the value
    // from before.
    m_lastCCValue[controller] = value;
    m_lastKnobValue[channel & 0x0F][controller] = value;
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

int CConversionEngine::Steps(const CChangeTableItem& rule, const CChangeTableItem& probe,
                             std::uint8_t value) const {
    if (rule.InputKind == CChangeTableItem::ControlChangeUp ||
        rule.InputKind == CChangeTableItem::ControlChangeDown) {
        return DirectionSteps(rule, probe, value);
    }
    return Matches(rule, probe, value) ? 1 : 0;
}

int CConversionEngine::DirectionSteps(const CChangeTableItem& rule, const CChangeTableItem& probe,
                                      std::uint8_t value) const {
    if (probe.InputKind != CChangeTableItem::ControlChange ||
        (rule.InputCh != 0 && rule.InputCh != probe.InputCh) || rule.CCNumber != probe.CCNumber) {
        return 0;
    }
    int steps = 0;
    if (rule.CCMode == CChangeTableItem::CCModeAbsolute) {
        if (probe.InputCh < 1 || probe.InputCh > 16) {
            return 0;
        }
        const std::uint8_t previous = m_lastKnobValue[probe.InputCh - 1][probe.CCNumber & 0x7F];
        if (previous == kNoValue) {
            return 0; // the first value only tells where the knob stands
        }
        steps = AbsoluteSteps(previous, value);
    } else {
        steps = RelativeSteps(rule.CCMode, value);
    }
    return StepsInDirection(steps, rule.InputKind == CChangeTableItem::ControlChangeUp);
}

void CConversionEngine::Perform(const CChangeTableItem& rule, int steps) {
    switch (rule.OutputKind) {
    case CChangeTableItem::KeyInput:
    case CChangeTableItem::MouseInput: {
        StrokeTarget target;
        if (RuleTarget(rule.OutputKind, rule.KeyCode, rule.MouseAction, target)) {
            // One batch for all steps: nothing of the user's can fall between
            // them, and a fast knob costs one call, not sixteen.
            m_actions.Strike(target, rule.KeyFlag, steps, m_keyHolds.Keys());
        }
        break;
    }
    // Activation and the on/off switch act once, however many steps: a
    // second activation changes nothing, and a switch flipped once per step
    // would end on or off by the knob's speed.
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
    // Once however many steps, like activation: a knob turned fast would
    // otherwise fill the queue.
    case CChangeTableItem::KeySequence:
    case CChangeTableItem::TypeText:
        m_timedStrokes.Play(rule);
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
        if (rule->HoldsKey() || rule->RepeatsKey()) {
            ConvertHeldKeyRule(*rule, probe, value, admitted);
        } else if (const int steps = admitted ? Steps(*rule, probe, value) : 0) {
            Perform(*rule, steps);
        }
    }
}

bool CConversionEngine::TakesEvent(const CChangeTableItem& rule, const CChangeTableItem& probe,
                                   std::uint8_t value) const {
    if ((rule.HoldsKey() || rule.RepeatsKey()) &&
        rule.InputKind == CChangeTableItem::ControlChange) {
        return probe.InputKind == CChangeTableItem::ControlChange &&
               (rule.InputCh == 0 || rule.InputCh == probe.InputCh) &&
               rule.CCNumber == probe.CCNumber;
    }
    return Steps(rule, probe, value) > 0;
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
        m_timedStrokes.Repeats().ReleaseController(rule, probe.InputCh, probe.CCNumber);
    } else if (mayPress && (!edge || Matches(rule, probe, value))) {
        Hold(rule, CChangeTableItem::ControlChange, probe.InputCh, probe.CCNumber);
    }
}

void CConversionEngine::Hold(const CChangeTableItem& rule, std::uint8_t inputKind,
                             std::uint8_t channel, std::uint8_t number) {
    if (rule.RepeatsKey()) {
        m_timedStrokes.StartRepeat(rule, inputKind, channel, number);
        return;
    }
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
    m_timedStrokes.DropAll();
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
    std::memset(m_lastKnobValue, kNoValue, sizeof m_lastKnobValue);
}
