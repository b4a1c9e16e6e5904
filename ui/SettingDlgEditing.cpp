// The editing side of the settings window: the device list, the rule list
// and the buttons that add, edit and delete rules.
#include "SettingDlg.h"

#include "EngineSuspension.h"
#include "MapEditDlg.h"
#include "MessageBox.h"
#include "ResidentProgram.h"

#include <memory>

void CSettingDlg::OnDpiChanged(UINT dpi) {
    CDialog::OnDpiChanged(dpi);
    m_ruleList.OnDpiChanged(dpi);
}

void CSettingDlg::UpdateRow(int index) {
    m_ruleList.ShowChanged(index);
}

void CSettingDlg::OnSelChangeDevice() {
    const int selected = m_comboDevice.GetCurSel();
    if (selected == CB_ERR) {
        return;
    }
    m_program.ChooseDevice(m_comboDevice.GetLBText(selected));
}

void CSettingDlg::OnAdd() {
    if (!m_program.MayOpenModal()) {
        return;
    }
    auto item = std::make_unique<CChangeTableItem>();
    INT_PTR result;
    {
        const CResidentProgram::ModalRun modal(m_program);
        // An open editor stops all conversion.
        const CEngineSuspension suspended(m_program.Engine());
        CMapEditDlg editor(*item, true, m_program.Listeners());
        GiveDevices(editor);
        result = editor.DoModal();
    }
    if (result != IDOK) {
        return;
    }
    ::SetFocus(m_listCtrl.m_hWnd);
    const int index = m_program.AddRule(std::move(item));
    if (!m_ruleList.ShowAdded(index)) {
        // Without a row the list and the table would no longer match.
        m_program.RemoveRule(index);
        return;
    }
    m_program.SaveChanges();
}

void CSettingDlg::GiveDevices(CMapEditDlg& editor) {
    std::vector<std::string> names;
    for (int slot = 1; slot <= CChangeTable::kDeviceSlots; ++slot) {
        names.push_back(m_program.Table().GetDeviceName(slot));
    }
    CConversionEngine& engine = m_program.Engine();
    editor.SetDevices(std::move(names),
                      [&engine](std::uint32_t portHandle) { return engine.SlotOfPort(portHandle); });
    // The layers by their names, like the devices.
    editor.SetLayerNames(m_program.Table().LayerNames());
}

void CSettingDlg::OnEdit() {
    if (!m_program.MayOpenModal()) {
        return;
    }
    if (m_listCtrl.GetSelectedCount() != 1) {
        const CResidentProgram::ModalRun modal(m_program);
        ShowMessageBox("編集したいデータを１つ選んでください。");
        return;
    }
    const int index = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (index < 0 || index >= m_program.Table().GetSize()) {
        return;
    }
    INT_PTR result;
    {
        const CResidentProgram::ModalRun modal(m_program);
        const CEngineSuspension suspended(m_program.Engine());
        CMapEditDlg editor(*m_program.Table().GetAt(index), false, m_program.Listeners());
        GiveDevices(editor);
        result = editor.DoModal();
    }
    if (result == IDOK) {
        m_program.SaveChanges();
        UpdateRow(index);
    }
}

void CSettingDlg::OnDblClkList(const NMHDR&, LRESULT* result) {
    *result = 0;
    OnEdit();
}

void CSettingDlg::OnDelete() {
    // The holds name the rules; none may outlive its rule.
    const CEngineSuspension suspended(m_program.Engine());
    const std::vector<int> rows = m_ruleList.SelectedRows();
    if (rows.empty()) {
        return;
    }
    m_program.RemoveRules(rows);
    m_ruleList.ShowRemoved();
    m_program.SaveChanges();
}
