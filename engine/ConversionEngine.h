#pragma once
#include "ChangeTableItem.h"
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

protected:
    bool m_bEnabled = true;
    CChangeTable* m_pChangeTable;
    std::int32_t m_nLastPitchBend = 0;
    std::uint8_t m_lastCCValue[128] = {};

private:
    bool Matches(const CChangeTableItem& rule, const CChangeTableItem& probe,
                 std::uint8_t value) const;
    void Perform(const CChangeTableItem& rule);

    IEngineActions& m_actions;
};
