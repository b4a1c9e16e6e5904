#pragma once
#include "ComboBox.h"
#include "MidiInDeviceList.h"

#include <optional>
#include <string>
#include <vector>

// The settings window's list of MIDI-IN devices: the present ones in index
// order, with the configured one selected (appended when it is missing).
class CDeviceCombo {
public:
    explicit CDeviceCombo(CComboBox& combo) : m_combo(combo) {}
    // With an entry for no device first (`noneText`), chosen for an empty name.
    CDeviceCombo(CComboBox& combo, std::string noneText)
        : m_combo(combo), m_noneText(std::move(noneText)) {}

    CDeviceCombo(const CDeviceCombo&) = delete;
    CDeviceCombo& operator=(const CDeviceCombo&) = delete;

    // Refills the list, but only when devices came or went, so that an
    // unrelated notice does not disturb the user's work in it.
    void Fill(const MidiInDeviceList& devices, const std::string& configuredName);
    // The chosen device's name; empty for the entry for no device (or none chosen).
    std::string SelectedName() const;

private:
    CComboBox& m_combo;
    std::string m_noneText;
    // The device names the list was last filled with.
    std::optional<std::vector<std::string>> m_listedNames;
};
