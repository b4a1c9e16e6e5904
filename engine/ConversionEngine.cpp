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

// A probe may bring any device number; its controller values are those of
// the ports of no slot.
std::uint8_t DeviceOf(const InputEvent& event) {
    return event.device <= CPortDevices::kSlots ? event.device : 0;
}

// A controller rule and a controller message: channel, device and number.
bool SameController(const CChangeTableItem& rule, const InputEvent& event) {
    return (rule.InputCh == 0 || rule.InputCh == event.channel) &&
           (rule.InputDevice == CChangeTableItem::kAnyDevice ||
            rule.InputDevice == event.device) &&
           rule.CCNumber == event.number;
}

// Whether the rule keeps its key down, or strikes it again, while its input
// is held. Asked for every rule an event concerns: the two flags, one of
// which either needs, rule out most rules without the calls.
bool HoldsOrRepeats(const CChangeTableItem& rule) {
    return (rule.KeyHold != 0 || rule.KeyRepeat != 0) && (rule.HoldsKey() || rule.RepeatsKey());
}

} // namespace

CConversionEngine::CConversionEngine(CChangeTable* table, IEngineActions& actions)
    : m_pChangeTable(table), m_actions(actions), m_foregroundRules(actions),
      m_timedStrokes(actions, m_keyHolds.Keys()) {
    // The table is not read here: its owner may not have built it yet. The
    // index is made at the first event or when the owner says the table
    // changed.
    ResetControllerValues();
}

void CConversionEngine::OnNoteOn(std::uint32_t portHandle, std::uint8_t channel,
                                 std::uint8_t note, std::uint8_t) {
    Convert(InputEvent{CChangeTableItem::Note, ProbeChannel(channel), note, 0,
                       m_portDevices.SlotOf(portHandle)},
            0);
}

void CConversionEngine::OnNoteOff(std::uint32_t portHandle, std::uint8_t channel,
                                  std::uint8_t note) {
    const std::uint8_t device = m_portDevices.SlotOf(portHandle);
    if (!m_timedStrokes.Repeats().IsEmpty()) {
        m_timedStrokes.Repeats().ReleaseNote(device, ProbeChannel(channel), note);
    }
    // Whatever layer is current and whether the converter is on or not: a
    // release ends what its press began.
    if (m_layers.IsHeld()) {
        ChangeLayer([&] { m_layers.ReleaseNote(device, ProbeChannel(channel), note); });
    }
    // Most note-offs release nothing; the batch is only built for holds.
    if (m_keyHolds.IsEmpty()) {
        return;
    }
    CKeyHolds::ReleaseEvents events;
    const int released = m_keyHolds.ReleaseNote(device, ProbeChannel(channel), note, events);
    SendKeyEvents(events, released);
    if (m_pObserver != nullptr && released > 0) {
        m_pObserver->HeldKeysReleased(events, released);
    }
}

void CConversionEngine::OnPitchBend(std::uint32_t portHandle, std::uint8_t channel,
                                    std::int32_t value) {
    const std::uint8_t device = m_portDevices.SlotOf(portHandle);
    const CPitchBendWheel::Movement movement = m_pitchBendWheel[device].OnValue(value);
    if (movement == CPitchBendWheel::Returned) {
        if (m_layers.IsHeld()) {
            ChangeLayer([&] { m_layers.ReleaseBend(device); });
        }
        if (!m_timedStrokes.Repeats().IsEmpty()) {
            m_timedStrokes.Repeats().ReleaseBend(device);
        }
        if (m_keyHolds.IsEmpty()) {
            return;
        }
        CKeyHolds::ReleaseEvents events;
        SendKeyEvents(events, m_keyHolds.ReleaseBend(device, events));
    } else if (movement != CPitchBendWheel::Stayed) {
        Convert(InputEvent{CPitchBendWheel::InputKindOf(movement), ProbeChannel(channel), 0, 0,
                           device},
                0);
    }
}

void CConversionEngine::OnControlChange(std::uint32_t portHandle, std::uint8_t channel,
                                        std::uint8_t controller, std::uint8_t value) {
    if (controller >= kControllerCount) {
        return;
    }
    const std::uint8_t device = m_portDevices.SlotOf(portHandle);
    if (m_layers.IsHeld()) {
        ChangeLayer([&] {
            m_layers.ReleaseController(device, ProbeChannel(channel), controller, value);
        });
    }
    Convert(InputEvent{CChangeTableItem::ControlChange, ProbeChannel(channel), controller, 0,
                       device},
            value);
    // Stored after matching, so the edge test and the knobs see the value
    // from before.
    m_lastCCValue[device][controller] = value;
    m_lastKnobValue[device][channel & 0x0F][controller] = value;
}

void CConversionEngine::OnProgramChange(std::uint32_t portHandle, std::uint8_t channel,
                                        std::uint8_t program) {
    Convert(InputEvent{CChangeTableItem::ProgramChange, ProbeChannel(channel), program, 0,
                       m_portDevices.SlotOf(portHandle)},
            0);
}

bool CConversionEngine::Matches(const CChangeTableItem& rule, const InputEvent& event,
                                std::uint8_t value) const {
    if (rule.InputKind != event.kind) {
        return false;
    }
    if (rule.InputCh != 0 && rule.InputCh != event.channel) {
        return false;
    }
    if (rule.InputDevice != CChangeTableItem::kAnyDevice && rule.InputDevice != event.device) {
        return false;
    }
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
        return rule.NoteNumber <= event.number && event.number <= rule.NoteNumberEnd;
    case CChangeTableItem::ControlChange:
        if (rule.CCNumber != event.number) {
            return false;
        }
        if (rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) {
            // ConvertInput is public: whatever probe it is given, the
            // controller stays inside the array.
            return m_lastCCValue[DeviceOf(event)][rule.CCNumber & 0x7F] == 0 && value != 0;
        }
        return true;
    case CChangeTableItem::PitchBendMinus:
    case CChangeTableItem::PitchBendPlus:
        return true;
    case CChangeTableItem::ProgramChange:
        return static_cast<int>(rule.PCNumber) - static_cast<int>(rule.PCRange) ==
               static_cast<int>(event.number) - static_cast<int>(event.pcRange);
    default:
        return false;
    }
}

int CConversionEngine::Steps(const CChangeTableItem& rule, const InputEvent& event,
                             std::uint8_t value) const {
    if (rule.InputKind == CChangeTableItem::ControlChangeUp ||
        rule.InputKind == CChangeTableItem::ControlChangeDown) {
        return DirectionSteps(rule, event, value);
    }
    return Matches(rule, event, value) ? 1 : 0;
}

int CConversionEngine::DirectionSteps(const CChangeTableItem& rule, const InputEvent& event,
                                      std::uint8_t value) const {
    if (event.kind != CChangeTableItem::ControlChange || !SameController(rule, event)) {
        return 0;
    }
    int steps = 0;
    if (rule.CCMode == CChangeTableItem::CCModeAbsolute) {
        if (event.channel < 1 || event.channel > 16) {
            return 0;
        }
        const std::uint8_t previous =
            m_lastKnobValue[DeviceOf(event)][event.channel - 1][event.number & 0x7F];
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
    Convert(InputEvent::Of(probe), value);
}

void CConversionEngine::Convert(const InputEvent& event, std::uint8_t value) {
    if (IsSuspended() || m_pChangeTable == nullptr) {
        if (m_pObserver != nullptr) {
            m_pObserver->ConversionEnded(IsSuspended() ? EConversionOutcome::Suspended
                                                       : EConversionOutcome::NoMatch);
        }
        return;
    }
    KeepIndexCurrent();
    const CChangeTable& table = *m_pChangeTable;
    // A table without rules for one program or one layer has one level:
    // there is nothing to choose, and the window in front is not asked.
    CForegroundRules::Choice choice;
    if (m_index.IsSplit()) {
        choice = m_foregroundRules.Choose(
            table, m_index, event, m_layers.Current(),
            [&](const CChangeTableItem& rule) { return TakesEvent(rule, event, value); });
    }
    // A pedal held under another program is let go by its rule, which the
    // program in front does not admit: then every rule is visited.
    // The same for a pedal that repeats its stroke.
    const bool releaseAnywhere =
        event.kind == CChangeTableItem::ControlChange &&
        (m_keyHolds.HoldsController(event.device, event.channel, event.number) ||
         !m_timedStrokes.Repeats().IsEmpty());
    bool acted = false;
    std::uint32_t generation = m_index.Generation();
    CRuleIndex::Candidates candidates =
        m_foregroundRules.WalkCandidates(m_index, event, choice, releaseAnywhere, 0);
    for (int position; (position = candidates.Next()) >= 0;) {
        const CChangeTableItem* rule = table.GetAt(position);
        if (!m_index.Indexed(position, rule)) {
            // Changed behind the engine's back: index the table as it is
            // and go on from here.
            m_index.MarkStale();
            KeepIndexCurrent();
            generation = m_index.Generation();
            candidates =
                m_foregroundRules.WalkCandidates(m_index, event, choice, releaseAnywhere, position);
            continue;
        }
        acted = ActOn(position, *rule, event, value, choice) || acted;
        // An action may run a nested message loop, in which the table may
        // change or an event rebuild the index: the walk then goes on with
        // the rules after this position in the table as it is now.
        if (m_index.Generation() != generation || !m_index.IsCurrentFor(table)) {
            KeepIndexCurrent();
            generation = m_index.Generation();
            candidates = m_foregroundRules.WalkCandidates(m_index, event, choice, releaseAnywhere,
                                                          position + 1);
        }
    }
    if (m_pObserver != nullptr) {
        m_pObserver->ConversionEnded(acted ? EConversionOutcome::Acted
                                           : WhyNothingActed(event, value, choice));
    }
}

EConversionOutcome CConversionEngine::WhyNothingActed(const InputEvent& event, std::uint8_t value,
                                                      CForegroundRules::Choice choice) const {
    if (!m_bEnabled) {
        return EConversionOutcome::Disabled;
    }
    if (!m_index.IsCurrentFor(*m_pChangeTable)) {
        return EConversionOutcome::NoMatch;
    }
    // A rule of the program in front on another layer tells of the layer;
    // one of another program on this layer (or every layer) of the program.
    // The record observes every event, so the rules that could take it are
    // found through the index (of every program and layer), not by a walk
    // over the table: a rule the index does not list takes no event.
    bool otherLayer = false;
    CRuleIndex::Candidates candidates = m_index.Find(event);
    for (int i; (i = candidates.Next()) >= 0;) {
        const CChangeTableItem* rule = m_pChangeTable->GetAt(i);
        if (rule == nullptr || m_foregroundRules.Admits(m_index, i, choice) ||
            !TakesEvent(*rule, event, value)) {
            continue;
        }
        const std::uint8_t layer = m_index.LayerAt(i);
        if (layer != 0 && layer != m_layers.Current()) {
            otherLayer = true;
        } else if (rule->IsForOneApplication() &&
                   !m_foregroundRules.Admits(m_index, i, CForegroundRules::Choice{true, layer})) {
            return EConversionOutcome::OtherApplicationOnly;
        }
    }
    return otherLayer ? EConversionOutcome::OtherLayerOnly : EConversionOutcome::NoMatch;
}

bool CConversionEngine::ActOn(int position, const CChangeTableItem& rule, const InputEvent& event,
                              std::uint8_t value, CForegroundRules::Choice choice) {
    // Read anew for every rule: a toggle rule part-way through decides for
    // the rules after it.
    if (!m_bEnabled && rule.OutputKind != CChangeTableItem::ToggleEnabled) {
        return false;
    }
    const bool admitted = m_foregroundRules.Admits(m_index, position, choice);
    if (rule.OutputKind == CChangeTableItem::SwitchLayer) {
        if (!admitted || !SwitchLayer(rule, event, value)) {
            return false;
        }
        if (m_pObserver != nullptr) {
            m_pObserver->RuleActed(position, rule);
        }
        return true;
    }
    if (HoldsOrRepeats(rule)) {
        // Told after the press: a release is no action of its own.
        if (!ConvertHeldKeyRule(rule, event, value, admitted)) {
            return false;
        }
        if (m_pObserver != nullptr) {
            m_pObserver->RuleActed(position, rule);
        }
        return true;
    }
    const int steps = admitted ? Steps(rule, event, value) : 0;
    if (steps == 0) {
        return false;
    }
    // Told before it acts: a toggle may start a nested message loop.
    if (m_pObserver != nullptr) {
        m_pObserver->RuleActed(position, rule);
    }
    Perform(rule, steps);
    return true;
}

template <typename Change> void CConversionEngine::ChangeLayer(Change change) {
    const int before = m_layers.Current();
    change();
    if (m_layers.Current() != before && m_layerChanged) {
        m_layerChanged(m_layers.Current());
    }
}

// A switch changes which rules the next events find; the keys held stay
// down until their own inputs let them go, whatever layer is current then.
// True when it switched (or, for a hold, took the press).
bool CConversionEngine::SwitchLayer(const CChangeTableItem& rule, const InputEvent& event,
                                    std::uint8_t value) {
    switch (rule.LayerAction) {
    case CChangeTableItem::GoToLayer:
        if (Steps(rule, event, value) == 0) {
            return false;
        }
        ChangeLayer([&] { m_layers.GoTo(rule.LayerTarget); });
        return true;
    case CChangeTableItem::NextLayer:
    case CChangeTableItem::PreviousLayer: {
        if (Steps(rule, event, value) == 0) {
            return false;
        }
        const std::uint32_t inUse = LayersInUse();
        ChangeLayer([&] {
            if (rule.LayerAction == CChangeTableItem::NextLayer) {
                m_layers.Next(inUse);
            } else {
                m_layers.Previous(inUse);
            }
        });
        return true;
    }
    case CChangeTableItem::HoldLayer: {
        // Only an input that is let go can hold; without a release the
        // layer would stay for good, so such a rule does nothing.
        if (!CChangeTableItem::HasRelease(rule.InputKind) || !Matches(rule, event, value)) {
            return false;
        }
        const bool edge = (rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) != 0;
        if (rule.InputKind == CChangeTableItem::ControlChange && !edge && value < 64) {
            return false; // a pedal's release value is no press
        }
        const CLayerState::Input input{
            event.device, event.kind, event.channel,
            rule.InputKind == CChangeTableItem::Note ||
                    rule.InputKind == CChangeTableItem::ControlChange
                ? event.number
                : std::uint8_t{0},
            edge};
        ChangeLayer([&] { m_layers.Hold(input, rule.LayerTarget); });
        return true;
    }
    default:
        return false; // an action this program does not know
    }
}

// Next and previous go round the layers that have rules or names; layer 1
// always.
std::uint32_t CConversionEngine::LayersInUse() const {
    return m_index.LayersWithRules() | m_pChangeTable->LayerNames().NamedMask() | (1u << 1);
}

void CConversionEngine::KeepIndexCurrent() {
    if (m_pChangeTable == nullptr || m_index.IsCurrentFor(*m_pChangeTable)) {
        return;
    }
    m_index.Build(*m_pChangeTable);
    m_foregroundRules.TableChanged(*m_pChangeTable, m_index);
}

void CConversionEngine::TableChanged() {
    m_index.MarkStale();
    if (!IsSuspended()) {
        KeepIndexCurrent();
    }
}

bool CConversionEngine::TakesEvent(const CChangeTableItem& rule, const InputEvent& event,
                                   std::uint8_t value) const {
    if (rule.InputKind == CChangeTableItem::ControlChange && HoldsOrRepeats(rule)) {
        return event.kind == CChangeTableItem::ControlChange && SameController(rule, event);
    }
    return Steps(rule, event, value) > 0;
}

bool CConversionEngine::ConvertHeldKeyRule(const CChangeTableItem& rule, const InputEvent& event,
                                           std::uint8_t value, bool mayPress) {
    if (rule.InputKind != CChangeTableItem::ControlChange) {
        if (mayPress && Matches(rule, event, value)) {
            Hold(rule, event.device, event.kind, event.channel,
                 rule.InputKind == CChangeTableItem::Note ? event.number : 0);
            return true;
        }
        return false;
    }
    if (event.kind != CChangeTableItem::ControlChange || !SameController(rule, event)) {
        return false;
    }
    // Pedals send 64 or more for down; with the edge flag any move off 0 is
    // the press and only the return to 0 the release.
    const bool edge = (rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) != 0;
    const bool release = edge ? value == 0 : value < 64;
    if (release) {
        CKeyHolds::ReleaseEvents events;
        SendKeyEvents(events, m_keyHolds.ReleaseController(rule, event.device, event.channel,
                                                           event.number, events));
        m_timedStrokes.Repeats().ReleaseController(rule, event.device, event.channel,
                                                   event.number);
    } else if (mayPress && (!edge || Matches(rule, event, value))) {
        Hold(rule, event.device, CChangeTableItem::ControlChange, event.channel, event.number);
        return true;
    }
    return false;
}

void CConversionEngine::Hold(const CChangeTableItem& rule, std::uint8_t device,
                             std::uint8_t inputKind, std::uint8_t channel, std::uint8_t number) {
    if (rule.RepeatsKey()) {
        m_timedStrokes.StartRepeat(rule, device, inputKind, channel, number);
        return;
    }
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    SendKeyEvents(events, m_keyHolds.Hold(rule, device, inputKind, channel, number, events));
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
    // The inputs that hold layers are gone as well, or their releases would
    // come while nothing listens.
    ChangeLayer([&] { m_layers.ReleaseAll(); });
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
    // Rules are edited and deleted only while the engine is suspended: the
    // index is rebuilt here, between events, not by the next message.
    TableChanged();
}

void CConversionEngine::ResetControllerValues() {
    for (std::uint8_t device = 0; device < kDevices; ++device) {
        ResetControllerValues(device);
    }
}

void CConversionEngine::ResetControllerValues(std::uint8_t device) {
    std::memset(m_lastCCValue[device], 0, sizeof m_lastCCValue[device]);
    std::memset(m_lastKnobValue[device], kNoValue, sizeof m_lastKnobValue[device]);
    m_pitchBendWheel[device] = CPitchBendWheel();
}

void CConversionEngine::PortOpened(std::uint8_t slot, std::uint32_t portHandle) {
    if (slot < 1 || slot >= kDevices) {
        return;
    }
    m_portDevices.Assign(slot, portHandle);
    ResetControllerValues(slot);
}

void CConversionEngine::PortClosed(std::uint8_t slot) {
    if (slot < 1 || slot >= kDevices) {
        return;
    }
    m_portDevices.Forget(slot);
    CKeyHolds::ReleaseEvents events;
    SendKeyEvents(events, m_keyHolds.ReleaseDevice(slot, events));
    m_timedStrokes.Repeats().ReleaseDevice(slot);
    if (m_layers.IsHeld()) {
        ChangeLayer([&] { m_layers.ReleaseDevice(slot); });
    }
    ResetControllerValues(slot);
}
