#include "RuleDeviceCombo.h"

#include "StringUtil.h"

#include <algorithm>

void CRuleDeviceCombo::Fill(const std::vector<std::string>& slotNames, std::uint8_t ruleDevice) {
    m_initial = ruleDevice;
    m_combo.ResetContent();
    m_devices.clear();
    m_combo.AddString("すべてのデバイス");
    m_devices.push_back(0);
    int named = 0;
    for (std::size_t i = 0; i < slotNames.size(); ++i) {
        const auto slot = static_cast<std::uint8_t>(i + 1);
        if (!slotNames[i].empty()) {
            ++named;
            m_combo.AddString(Format("%d: %s", slot, slotNames[i].c_str()));
            m_devices.push_back(slot);
        } else if (slot == ruleDevice) {
            m_combo.AddString(Format("デバイス %d", slot));
            m_devices.push_back(slot);
        }
    }
    if (ruleDevice != 0 &&
        std::find(m_devices.begin(), m_devices.end(), ruleDevice) == m_devices.end()) {
        m_combo.AddString(Format("デバイス %d", ruleDevice));
        m_devices.push_back(ruleDevice);
    }
    m_wanted = named > 1 || ruleDevice != 0;
    Select(ruleDevice);
    if (ruleDevice == 0) {
        m_combo.SetCurSel(0);
    }
}

void CRuleDeviceCombo::Select(std::uint8_t slot) {
    const auto found = std::find(m_devices.begin(), m_devices.end(), slot);
    if (slot != 0 && found != m_devices.end()) {
        m_combo.SetCurSel(static_cast<int>(found - m_devices.begin()));
    }
}

std::uint8_t CRuleDeviceCombo::Selected() const {
    const int selected = m_combo.GetCurSel();
    if (selected < 0 || selected >= static_cast<int>(m_devices.size())) {
        return m_initial;
    }
    return m_devices[static_cast<std::size_t>(selected)];
}
