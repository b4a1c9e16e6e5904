// The editing side of the settings window: the device list, the rule list
// and the buttons that add, edit and delete rules.
#include "SettingDlg.h"

#include "EngineSuspension.h"
#include "MapEditDlg.h"
#include "MessageBox.h"

#include <memory>

namespace {
constexpr int kRowHeight = 20;
} // namespace

void CSettingDlg::SetUpEditingControls() {
    FillDeviceList(m_midiIn.ListDevices());

    const int width = m_listCtrl.GetClientWidth() - ::GetSystemMetrics(SM_CXVSCROLL);
    m_listCtrl.InsertColumn(0, "入力", LVCFMT_LEFT, width / 2);
    m_listCtrl.InsertColumn(1, "変換後", LVCFMT_LEFT, width - width / 2);
    m_listCtrl.SetExtendedStyle(m_listCtrl.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                LVS_EX_FULLROWSELECT);

    // An empty state image list 20 pixels high sets the height of every
    // row. It is our member, so the list must not destroy it as well.
    const LONG style = ::GetWindowLongA(m_listCtrl.m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_listCtrl.m_hWnd, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    if (m_stateImageList.Create(1, kRowHeight, ILC_COLOR, 0, 1)) {
        m_listCtrl.SetImageList(&m_stateImageList, LVSIL_STATE);
    }

    for (int index = 0; index < m_table.GetSize(); ++index) {
        m_listCtrl.InsertItem(index, "");
        UpdateRow(index);
    }
}

void CSettingDlg::FillDeviceList(const MidiInDeviceList& devices) {
    std::vector<std::string> names;
    for (const std::optional<std::string>& device : devices) {
        if (device) { // a device whose name cannot be read is left out
            names.push_back(*device);
        }
    }
    // Refilled only when devices came or went, so that an unrelated notice
    // does not disturb the user's work in the list.
    if (m_listedDeviceNames && *m_listedDeviceNames == names) {
        return;
    }
    m_comboDevice.ResetContent();
    for (const std::string& name : names) {
        m_comboDevice.AddString(name);
    }
    m_listedDeviceNames = std::move(names);
    const std::string deviceName = m_table.GetDeviceName();
    if (!deviceName.empty()) {
        int entry = m_comboDevice.FindStringExact(-1, deviceName);
        if (entry == CB_ERR) {
            entry = m_comboDevice.AddString(deviceName);
        }
        m_comboDevice.SetCurSel(entry);
    }
}

void CSettingDlg::UpdateRow(int index) {
    const CChangeTableItem* item = m_table.GetAt(index);
    m_listCtrl.SetItemText(index, 0, item->GetInputText());
    m_listCtrl.SetItemText(index, 1, item->GetOutputText());
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
    const int index = m_listCtrl.InsertItem(m_listCtrl.GetItemCount(), "");
    if (index < 0) {
        // Without a row the list and the table would no longer match.
        return;
    }
    m_table.InsertAt(index, item.release());
    SaveChanges();
    UpdateRow(index);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    for (int row = 0; row < m_listCtrl.GetItemCount(); ++row) {
        m_listCtrl.SetItemState(row, row == index ? both : 0, both);
    }
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
    bool deleted = false;
    for (;;) {
        const int index = m_listCtrl.GetNextItem(-1, LVNI_SELECTED);
        if (index < 0 || index >= m_table.GetSize() || !m_listCtrl.DeleteItem(index)) {
            break;
        }
        delete m_table.GetAt(index);
        m_table.RemoveAt(index);
        deleted = true;
    }
    if (deleted) {
        SaveChanges();
    }
}
