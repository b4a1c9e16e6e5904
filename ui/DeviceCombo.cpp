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
    }
}
