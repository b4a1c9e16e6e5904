#pragma once
#include "ChangeTableItem.h"
#include "HeldKeys.h"
#include "MidiInEventListener.h"

#include <cstdint>

class CChangeTable;
class IEngineActions;

// The MIDI-listener side of the resident window: turns decoded events into
// probe rules and performs the action of every matching rule of the table.
// Platform-free; the resident window derives from it and supplies the actions.
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

    // Walks the table in order and acts on every rule that matches the probe.
    void ConvertInput(const CChangeTableItem& probe, std::uint8_t value);

    // Inverts the on/off switch and tells the actions.
    virtual void OnToggleEnabled();

    // Clears the last value of every controller (done whenever the MIDI-IN
    // device is (re)opened).
    void ResetControllerValues();

    bool IsEnabled() const { return m_bEnabled != 0; }

    // Lets go of every key that held rules keep down, in one batch. Called
    // whenever the input that would release them may never come: converter
    // off, editor open, device closed, table edited, program or session end.
    void ReleaseHeldKeys();
    bool HoldsKeys() const { return m_holdCount != 0; }

protected:
    bool m_bEnabled = true;
    CChangeTable* m_pChangeTable;
    std::int32_t m_nLastPitchBend = 0;
    std::uint8_t m_lastCCValue[128] = {};

private:
    bool Matches(const CChangeTableItem& rule, const CChangeTableItem& probe,
                 std::uint8_t value) const;
    void Perform(const CChangeTableItem& rule);

    // Which input holds which rule's key down: one record per rule and
    // note, controller or bend direction, so that of a note range every
    // held note counts.
    struct KeyHoldRecord {
        const CChangeTableItem* rule;
        std::uint8_t inputKind;
        std::uint8_t channel;
        std::uint8_t number;
        std::uint8_t keyCode;
        std::uint8_t keyFlag;
    };
    static constexpr int kMaxKeyHolds = 256;

    static bool IsHeldKeyRule(const CChangeTableItem& rule);
    void ConvertHeldKeyRule(const CChangeTableItem& rule, const CChangeTableItem& probe,
                            std::uint8_t value);
    void Hold(const CChangeTableItem& rule, std::uint8_t inputKind, std::uint8_t channel,
              std::uint8_t number);
    // Releases the holds that pass the test, all in one batch.
    template <typename Test> void ReleaseHolds(Test test);

    IEngineActions& m_actions;
    CHeldKeys m_heldKeys;
    KeyHoldRecord m_holds[kMaxKeyHolds] = {};
    int m_holdCount = 0;
};
