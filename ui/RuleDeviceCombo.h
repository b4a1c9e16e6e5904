#pragma once
#include "ComboBox.h"

#include <cstdint>
#include <string>
#include <vector>

// The editor's choice of the device a rule takes its input from: "すべての
// デバイス" and each named slot; a slot the rule names that has no device
// (or a hand-edited number beyond the slots) is listed as "デバイス N", so
// that opening and closing the editor loses nothing. Shown only while more
// than one slot has a device, or the rule is for one already.
class CRuleDeviceCombo {
public:
    explicit CRuleDeviceCombo(CComboBox& combo) : m_combo(combo) {}

    CRuleDeviceCombo(const CRuleDeviceCombo&) = delete;
    CRuleDeviceCombo& operator=(const CRuleDeviceCombo&) = delete;

    // `slotNames[0]` is slot 1's device; `ruleDevice` the rule's InputDevice.
    void Fill(const std::vector<std::string>& slotNames, std::uint8_t ruleDevice);
    bool IsWanted() const { return m_wanted; }
    // A captured event came from this slot (0: from no slot; ignored).
    void Select(std::uint8_t slot);
    std::uint8_t Selected() const;

private:
    CComboBox& m_combo;
    // The InputDevice of each entry.
    std::vector<std::uint8_t> m_devices;
    std::uint8_t m_initial = 0;
    bool m_wanted = false;
};
