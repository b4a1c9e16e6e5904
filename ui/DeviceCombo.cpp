#include "DeviceCombo.h"

#include <windows.h>

void CDeviceCombo::Fill(const MidiInDeviceList& devices, const std::string& configuredName) {
    std::vector<std::string> names;
    for (const std::optional<std::string>& device : devices) {
        if (device) { // a device whose name cannot be read is left out
            names.push_back(*device);
        }
    }
    if (m_listedNames && *m_listedNames == names) {
        return;
    }
    m_combo.ResetContent();
    if (!m_noneText.empty()) {
        m_combo.AddString(m_noneText);
    }
    for (const std::string& name : names) {
        m_combo.AddString(name);
    }
    m_listedNames = std::move(names);
    if (!configuredName.empty()) {
        int entry = m_combo.FindStringExact(-1, configuredName);
        if (entry == CB_ERR) {
            entry = m_combo.AddString(configuredName);
        }
        m_combo.SetCurSel(entry);
    } else if (!m_noneText.empty()) {
        m_combo.SetCurSel(0);
    }
}

std::string CDeviceCombo::SelectedName() const {
    const int selected = m_combo.GetCurSel();
    if (selected == CB_ERR || (selected == 0 && !m_noneText.empty())) {
        return std::string();
    }
    return m_combo.GetLBText(selected);
}
