// The editing side of the settings window: the device list, the rule list
// and the buttons that add, edit and delete rules.
#include "SettingDlg.h"

#include "EngineSuspension.h"
#include "MapEditDlg.h"
#include "MessageBox.h"

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
    m_table.SetDeviceName(m_comboDevice.GetLBText(selected));
    SaveChanges();
    OpenMidiInDevice();
}

void CSettingDlg::OnAdd() {
    auto item = std::make_unique<CChangeTableItem>();
    INT_PTR result;
    {
        // An open editor stops all conversion.
        CEngineSuspension suspended(*this);
        CMapEditDlg editor(*item, true, m_listenerManager);
        result = editor.DoModal();
    }
    if (result != IDOK) {
        return;
    }
    ::SetFocus(m_listCtrl.m_hWnd);
    const int index = m_table.GetSize();
    m_table.InsertAt(index, item.release());
    if (!m_ruleList.ShowAdded(index)) {
        // Without a row the list and the table would no longer match.
        delete m_table.GetAt(index);
        m_table.RemoveAt(index);
        return;
    }
    SaveChanges();
}

void CSettingDlg::OnEdit() {
    if (m_listCtrl.GetSelectedCount() != 1) {
        ShowMessageBox("編集したいデータを１つ選んでください。");
        return;
    }
    const int index = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
    if (index < 0 || index >= m_table.GetSize()) {
        return;
    }
    INT_PTR result;
    {
        CEngineSuspension suspended(*this);
        CMapEditDlg editor(*m_table.GetAt(index), false, m_listenerManager);
        result = editor.DoModal();
    }
    if (result == IDOK) {
        SaveChanges();
        UpdateRow(index);
    }
}

void CSettingDlg::OnDblClkList(const NMHDR&, LRESULT* result) {
    *result = 0;
    OnEdit();
}

void CSettingDlg::OnDelete() {
    // The holds name the rules; none may outlive its rule.
    CEngineSuspension suspended(*this);
    const std::vector<int> rows = m_ruleList.SelectedRows();
    if (rows.empty()) {
        return;
    }
    // From the highest row down, so that the lower rows keep their places.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (*row < m_table.GetSize()) {
            delete m_table.GetAt(*row);
            m_table.RemoveAt(*row);
        }
    }
    m_ruleList.ShowRemoved();
    SaveChanges();
}
