#include "SettingDlg.h"

#include "AboutDlg.h"
#include "DataExchange.h"
#include "DeviceSlotsDlg.h"
#include "LayerNamesDlg.h"
#include "MessageBox.h"
#include "ModulePath.h"
#include "ResidentProgram.h"
#include "StringUtil.h"
#include "VersionInfo.h"
#include "Win32ResidentDesktop.h"
#include "WinApp.h"
#include "resource.h"

namespace {
// Posted by AskEndLater: the end that waited for a modal window.
constexpr UINT kEndLaterMessage = WM_APP + 20;
} // namespace

CSettingDlg::CSettingDlg(CResidentProgram& program, CWin32ResidentDesktop& desktop, CWnd* parent)
    : CDialog(IDD_SETTING_DIALOG, parent), m_program(program), m_desktop(desktop),
      m_ruleList(m_listCtrl, program.Table()),
      m_monitor(program.Record(), program.Listeners(), [this](const std::string& text) {
          m_desktop.ShowBalloon(text, true);
      }) {}

CSettingDlg::~CSettingDlg() = default;

void CSettingDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TABLE_LIST, m_listCtrl);
    DDX_Control(pDX, IDC_DEVICE_COMBO, m_comboDevice);
}

LRESULT CSettingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_desktop.OnMessage(message, wParam, lParam, &result)) {
        return result;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CSettingDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CVersionInfo versionInfo;
    versionInfo.LoadFromFile(GetModulePath());
    SetText(Format("%s Ver.%s %s", GetAppName().c_str(), versionInfo.GetFileVersion().c_str(),
                   versionInfo.GetLegalCopyright().c_str()));

    SetWindowIcons(IDR_MAINFRAME);
    m_desktop.AttachWindow(m_hWnd, [this] { OnSettings(); });
    m_program.Start(*this);
    return TRUE;
}

void CSettingDlg::OpenMidiInDevice() {
    m_program.OpenMidiInDevice();
}

void CSettingDlg::ShowDevices(const MidiInDeviceList& devices, const std::string& chosen) {
    m_deviceList.Fill(devices, chosen);
}

void CSettingDlg::ShowRules() {
    m_ruleList.SetUp();
    // The table was just loaded: its switch for the notice with it.
    const bool showNotice = m_program.Table().GetShowNotice();
    m_desktop.SetNoticeWanted(showNotice);
    ::CheckDlgButton(m_hWnd, IDC_SHOW_NOTICE_CHECK, showNotice ? BST_CHECKED : BST_UNCHECKED);
}

void CSettingDlg::CloseToolWindows() {
    m_monitor.Close();
    m_desktop.CloseNotice();
}

void CSettingDlg::ShowBox(const std::string& text) {
    ShowMessageBox(text);
}

void CSettingDlg::AskEndLater() {
    if (m_hWnd != nullptr) {
        ::PostMessageA(m_hWnd, kEndLaterMessage, 0, 0);
    }
}

void CSettingDlg::CloseWindow() {
    if (m_hWnd == nullptr) {
        return;
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    // Ends the modal run as well: it stops when its window is gone. A
    // message sent to the window (the session's end) is handled inside the
    // loop's wait, which then needs a posted one to see it.
    ::DestroyWindow(m_hWnd);
    ::PostMessageA(nullptr, WM_NULL, 0, 0);
}

bool CSettingDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(wParam, lParam);
        *result = 0;
        return true;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        *result = 0;
        return true;
    default:
        break;
    }
    if (message == CWin32ResidentDesktop::kTrayNotifyMessage) {
        *result = OnTrayNotify(wParam, lParam);
        return true;
    }
    if (message == kEndLaterMessage) {
        m_program.RequestEnd();
        *result = 0;
        return true;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

bool CSettingDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (id == IDC_DEVICE_COMBO) {
        if (notifyCode == CBN_SELCHANGE) {
            OnSelChangeDevice();
            return true;
        }
        return false;
    }
    if (notifyCode == BN_CLICKED) {
        switch (id) {
        case ID_TRAY_TOGGLE_ENABLED:
            OnToggleEnabled();
            return true;
        case ID_TRAY_SETTINGS:
            OnSettings();
            return true;
        case ID_TRAY_VERSION:
            OnVersion();
            return true;
        case ID_TRAY_MONITOR:
        case IDC_MONITOR_BUTTON:
            m_monitor.Open();
            return true;
        case IDC_SHOW_NOTICE_CHECK:
            OnShowNoticeClicked();
            return true;
        case IDC_ADD_BUTTON:
            OnAdd();
            return true;
        case IDC_EDIT_BUTTON:
            OnEdit();
            return true;
        case IDC_DELETE_BUTTON:
            OnDelete();
            return true;
        case IDC_LAYER_NAMES_BUTTON:
            OnLayerNames();
            return true;
        case IDC_EXPORT_BUTTON:
            OnExport();
            return true;
        case IDC_IMPORT_BUTTON:
            OnImport();
            return true;
        case IDC_OTHER_DEVICES_BUTTON:
            OnOtherDevices();
            return true;
        default:
            break;
        }
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

bool CSettingDlg::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.idFrom == IDC_TABLE_LIST) {
        if (header.code == static_cast<UINT>(NM_DBLCLK)) {
            OnDblClkList(header, result);
            return true;
        }
        if (m_ruleList.OnNotify(header, result)) {
            return true;
        }
    }
    if (header.idFrom == IDC_TABLE_LIST && header.code == static_cast<UINT>(LVN_DELETEALLITEMS)) {
        // The rows hold nothing to free: no notice per row when the list
        // goes (with 10,000 rules that alone took 0.4 s of the end).
        *result = TRUE;
        return true;
    }
    return CDialog::OnNotify(header, result);
}

void CSettingDlg::OnOK() {
    m_program.RequestEnd();
}

void CSettingDlg::OnCancel() {
    m_program.RequestEnd();
}

void CSettingDlg::OnModalRunEnded() {
    // The run ended some other way (the thread's loop was told to quit):
    // the end still goes in its order while the window exists.
    m_program.End();
}

LRESULT CSettingDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_RBUTTONDOWN:
        m_desktop.TrayIcon().ShowMenu(m_program.IsEnabled());
        break;
    case WM_LBUTTONDOWN:
        OnSettings();
        break;
    default:
        break;
    }
    return 1;
}

void CSettingDlg::OnToggleEnabled() {
    m_program.ToggleEnabled();
}

void CSettingDlg::OnSettings() {
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
    }
}

void CSettingDlg::ShowOpenModalWindow() {
    const HWND popup = ::GetLastActivePopup(m_hWnd);
    if (popup != nullptr && popup != m_hWnd) {
        ::SetForegroundWindow(popup);
    }
}

void CSettingDlg::OnVersion() {
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
        return;
    }
    const CResidentProgram::ModalRun modal(m_program);
    CAboutDlg about;
    about.DoModal();
}

void CSettingDlg::OnLayerNames() {
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
        return;
    }
    const CResidentProgram::ModalRun modal(m_program);
    CLayerNamesDlg names(m_program, this);
    names.DoModal();
}

void CSettingDlg::OnOtherDevices() {
    if (!m_program.MayOpenModal()) {
        ShowOpenModalWindow();
        return;
    }
    const CResidentProgram::ModalRun modal(m_program);
    CDeviceSlotsDlg slots(m_program, this);
    slots.DoModal();
}

void CSettingDlg::OnSysCommand(WPARAM command, LPARAM lParam) {
    // The low four bits of a system command are the system's own.
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    Default(WM_SYSCOMMAND, command, lParam);
}

void CSettingDlg::OnEndSession(WPARAM ending, LPARAM lParam) {
    // Before the window may be gone.
    Default(WM_ENDSESSION, ending, lParam);
    m_program.EndSession(ending != FALSE);
}

void CSettingDlg::OnShowNoticeClicked() {
    const bool show = ::IsDlgButtonChecked(m_hWnd, IDC_SHOW_NOTICE_CHECK) == BST_CHECKED;
    m_program.Table().SetShowNotice(show);
    m_desktop.SetNoticeWanted(show);
    m_program.SaveChanges();
}
