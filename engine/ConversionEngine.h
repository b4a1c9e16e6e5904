#pragma once
#include "ChangeTableItem.h"
#include "ConversionObserver.h"
#include "ForegroundRules.h"
#include "InputEvent.h"
#include "KeyHolds.h"
#include "LayerState.h"
#include "MidiInEventListener.h"
#include "PitchBendWheel.h"
#include "PortDevices.h"
#include "RuleIndex.h"
#include "TimedStrokes.h"

#include <cstdint>
#include <functional>
#include <utility>

class CChangeTable;
class IEngineActions;

// The MIDI-listener side of the resident window: performs the action of
// every rule of the table that matches a decoded event, in table order. The
// rules an event concerns are found through an index of the table, so an
// event costs the same with 10 rules or 10,000. Platform-free; the resident
// window derives from it and supplies the actions.
class CConversionEngine : public CMidiInEventListener {
public:
    CConversionEngine(CChangeTable* table, IEngineActions& actions);
    ~CConversionEngine() override = default;

    void OnNoteOn(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t note,
                  std::uint8_t velocity) override;
    void OnNoteOff(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t note) override;
    void OnPitchBend(std::uint32_t portHandle, std::uint8_t channel, std::int32_t value) override;
    void OnControlChange(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t controller,
                         std::uint8_t value) override;
    void OnProgramChange(std::uint32_t portHandle, std::uint8_t channel,
                         std::uint8_t program) override;

    // Acts on every rule that matches the probe, in table order.
    void ConvertInput(const CChangeTableItem& probe, std::uint8_t value);

    // The table was changed while the engine was not suspended (loaded, or
    // a rule added after the editor closed): the index is rebuilt now, not
    // by the next message (while suspended, at the last Resume). Resume says
    // it by itself, and an event that finds the table's size changed
    // rebuilds too, but only this call makes any other change seen.
    void TableChanged();

    // Inverts the on/off switch and tells the actions (the tray menu's
    // command, and the action of ToggleEnabled rules). Switching off lets go
    // of the held keys.
    void OnToggleEnabled();
    bool IsEnabled() const { return m_bEnabled; }

    // While the engine is suspended no rule acts: a rule editor is open or
    // the table is being changed. The last controller and bend values still
    // follow the input. Suspending lets go of the held keys, whose releases
    // would come while nothing listens, and whose rules may change or go.
    // Calls nest: the engine works again after as many Resume calls.
    void Suspend();
    void Resume();
    bool IsSuspended() const { return m_nSuspended != 0; }

    // Who is told what each event did; nullptr for nobody. Not owned.
    void SetObserver(IConversionObserver* observer) { m_pObserver = observer; }

    // Clears the last value of every controller (done whenever the MIDI-IN
    // device is (re)opened).
    void ResetControllerValues();

    // The port of a device slot (1..8) opened: its messages are that slot's.
    // Its controllers start from nothing, as after any open.
    void PortOpened(std::uint8_t slot, std::uint32_t portHandle);
    // The port of a slot closed or went: what its inputs hold is let go
    // (no release can come from it any more), and nothing of the other
    // devices' holds.
    void PortClosed(std::uint8_t slot);
    // The slot of the port a message came by; 0 for a port of no slot.
    std::uint8_t SlotOfPort(std::uint32_t portHandle) const { return m_portDevices.SlotOf(portHandle); }
    const CPortDevices& PortDevices() const { return m_portDevices; }

    // Lets go of every key that held rules keep down, in one batch, for when
    // the input that would release them can no longer come: the device
    // closed, the program or the session ends.
    // Also drops the sequences and texts still queued and stops the
    // repeats: they too belong to an input that is gone.
    void ReleaseHeldKeys();
    bool HoldsKeys() const { return !m_keyHolds.IsEmpty(); }
    // For the lights: whether the rule keeps its key down now, and a count
    // that changes with every hold and release.
    bool HoldsRule(CChangeTableItem::Id rule) const { return m_keyHolds.HoldsRule(rule); }
    std::uint32_t HoldChanges() const { return m_keyHolds.Changes(); }
    // Whether a controller of that slot and channel (1..16) holds a key, so
    // that its message may be the release.
    bool HoldsController(std::uint8_t slot, std::uint8_t channel, std::uint8_t controller) const {
        return m_keyHolds.HoldsController(slot, channel, controller);
    }

    // The layer whose rules act now (1..16); the program starts on 1.
    int CurrentLayer() const { return m_layers.Current(); }
    // The executable of `window` as the last event found it in front, or
    // nullptr when that event did not look at this window.
    const std::string* KnownExePath(std::uintptr_t window) const {
        return m_foregroundRules.KnownExePath(window);
    }
    // Told after every change of the current layer (the tray tip names it).
    void SetLayerChangeHandler(std::function<void(int layer)> handler) {
        m_layerChanged = std::move(handler);
    }

    // The timer that the actions run for sequences, texts and repeats.
    void OnStrokeTimer() { m_timedStrokes.OnTimer(); }

private:
    void Convert(const InputEvent& event, std::uint8_t value);
    // Rebuilds the index (and what is kept by table position) when the
    // table changed since it was built.
    void KeepIndexCurrent();
    // The one place where a rule of the walk acts on the event, or does not.
    // True when it acted (for a held or repeating rule: when it pressed).
    bool ActOn(int position, const CChangeTableItem& rule, const InputEvent& event,
               std::uint8_t value, CForegroundRules::Choice choice);

    bool Matches(const CChangeTableItem& rule, const InputEvent& event, std::uint8_t value) const;
    // How many times the rule acts on the event: 0 when it does not match,
    // 1 for every rule but the knob directions.
    int Steps(const CChangeTableItem& rule, const InputEvent& event, std::uint8_t value) const;
    int DirectionSteps(const CChangeTableItem& rule, const InputEvent& event,
                       std::uint8_t value) const;
    void Perform(const CChangeTableItem& rule, int steps);
    bool SwitchLayer(const CChangeTableItem& rule, const InputEvent& event, std::uint8_t value);
    std::uint32_t LayersInUse() const;
    // Runs a change of the layer state and tells it when the layer changed.
    template <typename Change> void ChangeLayer(Change change);

    // Whether the rule takes the event, as press or, for a held
    // controller, as release.
    bool TakesEvent(const CChangeTableItem& rule, const InputEvent& event,
                    std::uint8_t value) const;
    // mayPress false: the rule may not act on this event, but the release
    // of what it holds still goes through.
    // True when the rule pressed its key (or started its repeat).
    bool ConvertHeldKeyRule(const CChangeTableItem& rule, const InputEvent& event,
                            std::uint8_t value, bool mayPress);
    void Hold(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
              std::uint8_t channel, std::uint8_t number);
    void ResetControllerValues(std::uint8_t device);
    void SendKeyEvents(const KeyStrokeEvent* events, int count);
    // Why nothing acted: the switch, or rules that take the event but are
    // limited to a program that is not in front.
    // Only asked when no rule acted and someone observes: a second pass
    // over the table is then affordable.
    EConversionOutcome WhyNothingActed(const InputEvent& event, std::uint8_t value,
                                       CForegroundRules::Choice choice) const;

    bool m_bEnabled = true;
    int m_nSuspended = 0;
    CChangeTable* m_pChangeTable;
    // Per device slot (0: a port of no slot), so that two devices' knobs on
    // the same controller number do not disturb each other.
    static constexpr int kDevices = CPortDevices::kSlots + 1;
    CPortDevices m_portDevices;
    CPitchBendWheel m_pitchBendWheel[kDevices];
    std::uint8_t m_lastCCValue[kDevices][128] = {};
    // Per channel, for knobs read by their change; kNoValue until the first
    // value after the device opened.
    static constexpr std::uint8_t kNoValue = 0xFF;
    std::uint8_t m_lastKnobValue[kDevices][16][128];
    IEngineActions& m_actions;
    CKeyHolds m_keyHolds;
    CLayerState m_layers;
    std::function<void(int layer)> m_layerChanged;
    CRuleIndex m_index;
    CForegroundRules m_foregroundRules;
    CTimedStrokes m_timedStrokes;
    IConversionObserver* m_pObserver = nullptr;
};
