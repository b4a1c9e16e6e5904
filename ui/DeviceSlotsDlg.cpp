#include "DeviceSlotsDlg.h"

#include "DataExchange.h"
#include "ResidentProgram.h"
#include "resource.h"

namespace {
// The device list is looked at again this often while the dialog is open,
// so that a device plugged in meanwhile can be chosen.
constexpr UINT_PTR kRefreshTimer = 60;
constexpr UINT kRefreshMs = 2000;
} // namespace

CDeviceSlotsDlg::CDeviceSlotsDlg(CResidentProgram& program, CWnd* parent)
    : CDialog(IDD_DEVICE_SLOTS_DIALOG, parent), m_program(program) {
    for (int slot = kFirstSlot; slot <= CChangeTable::kDeviceSlots; ++slot) {
        m_rows.push_back(std::make_unique<SRow>());
    }
    for (int slot = 1; slot <= CChangeTable::kDeviceSlots; ++slot) {
        m_outRows.push_back(std::make_unique<SOutRow>());
    }
}

CDeviceSlotsDlg::~CDeviceSlotsDlg() = default;

void CDeviceSlotsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        DDX_Control(pDX, IDC_SLOT_COMBO_FIRST + static_cast<int>(row), m_rows[row]->combo);
    }
    for (std::size_t row = 0; row < m_outRows.size(); ++row) {
        DDX_Control(pDX, IDC_OUT_COMBO_FIRST + static_cast<int>(row), m_outRows[row]->combo);
    }
}

BOOL CDeviceSlotsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    FillLists();
    // Without the timer the lists stay as they were at the opening; nothing
    // else is lost.
    ::SetTimer(m_hWnd, kRefreshTimer, kRefreshMs, nullptr);
    return TRUE;
}

void CDeviceSlotsDlg::FillLists() {
    const MidiInDeviceList devices = m_program.ListDevices();
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const int slot = kFirstSlot + static_cast<int>(row);
        m_rows[row]->devices.Fill(devices, m_program.Table().GetDeviceName(slot));
    }
    const std::string first = m_program.Table().GetDeviceName(1);
    ::SetDlgItemTextA(m_hWnd, IDC_SLOT1_DEVICE_NAME, first.empty() ? "(なし)" : first.c_str());
    FillOutputLists();
}

void CDeviceSlotsDlg::FillOutputLists() {
    const SMidiOutDevices outputs = m_program.ListMidiOutDevices();
    for (std::size_t row = 0; row < m_outRows.size(); ++row) {
        const int slot = 1 + static_cast<int>(row);
        m_outRows[row]->devices.Fill(outputs.names, m_program.Table().GetMidiOut(slot).device);
    }
}

bool CDeviceSlotsDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_TIMER && wParam == kRefreshTimer) {
        FillLists();
        *result = 0;
        return true;
    }
    if (message == WM_DESTROY) {
        ::KillTimer(m_hWnd, kRefreshTimer);
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

bool CDeviceSlotsDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    const int row = static_cast<int>(id) - IDC_SLOT_COMBO_FIRST;
    if (row >= 0 && row < static_cast<int>(m_rows.size()) && notifyCode == CBN_SELCHANGE) {
        const std::string name = m_rows[static_cast<std::size_t>(row)]->devices.SelectedName();
        const int slot = kFirstSlot + row;
        if (name != m_program.Table().GetDeviceName(slot)) {
            m_program.ChooseSlotDevice(slot, name);
            // The output it proposed, if any.
            FillOutputLists();
        }
        return true;
    }
    const int outRow = static_cast<int>(id) - IDC_OUT_COMBO_FIRST;
    if (outRow >= 0 && outRow < static_cast<int>(m_outRows.size()) &&
        notifyCode == CBN_SELCHANGE) {
        const std::string name =
            m_outRows[static_cast<std::size_t>(outRow)]->devices.SelectedName();
        const int slot = 1 + outRow;
        if (name != m_program.Table().GetMidiOut(slot).device) {
            m_program.ChooseMidiOutDevice(slot, name);
        }
        return true;
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

void CDeviceSlotsDlg::OnOK() {
    EndDialog(IDOK);
}
