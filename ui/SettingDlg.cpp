#include "SettingDlg.h"

#include "AboutDlg.h"
#include "DataExchange.h"
#include "IMidiPlatform.h"
#include "MessageBox.h"
#include "MidiInStatusTexts.h"
#include "ModulePath.h"
#include "SingleInstance.h"
#include "StringUtil.h"
#include "VersionInfo.h"
#include "WinApp.h"
#include "resource.h"

namespace {
// The window's private messages: the tray icon's mouse events, and the
// MIDI-IN connection's own posted check.
constexpr UINT kTrayNotifyMessage = WM_APP + 1;
constexpr UINT kMidiInCheckMessage = WM_APP + 16;

using Status = CMidiInConnection::Status;

// The tip always tells the device's state; a balloon tells what the
// program found by itself (the user's own choice is answered by a box).
void ShowMidiInStatus(CTrayIcon& trayIcon, const CMidiInConnection& midiIn, Status before,
                      Status after, bool byItself) {
    const std::string& deviceName = midiIn.GetDeviceName();
    trayIcon.SetTip(MidiInTrayTip(GetAppName(), after, deviceName));
    if (const auto balloon =
            MidiInStatusBalloon(before, after, byItself, deviceName, midiIn.GetCandidates())) {
        trayIcon.ShowBalloon(balloon->text, balloon->warning);
    }
}
} // namespace

CSettingDlg::CSettingDlg(CWnd* parent)
    : CDialog(IDD_SETTING_DIALOG, parent), CConversionEngine(&m_table, m_engineActions),
      m_trayIcon(kTrayNotifyMessage), m_midiInMessages(kMidiInCheckMessage),
      m_midiIn(PlatformMidi(), m_listenerManager, m_midiInMessages,
               {[this] {
                    // Without the port no note-off or pedal release can come
                    // any more, and a new port starts from controllers at 0.
                    ReleaseHeldKeys();
                    ResetControllerValues();
                },
                [this](const MidiInDeviceList& devices) {
                    m_deviceList.Fill(devices, m_table.GetDeviceName());
                },
                [this](Status before, Status after, bool byItself) {
                    ShowMidiInStatus(m_trayIcon, m_midiIn, before, after, byItself);
                }}) {}

CSettingDlg::~CSettingDlg() {
    m_midiIn.Close();
}

void CSettingDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TABLE_LIST, m_listCtrl);
    DDX_Control(pDX, IDC_DEVICE_COMBO, m_comboDevice);
}

LRESULT CSettingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_midiInMessages.OnMessage(message, wParam, lParam, &result)) {
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

    m_trayIcon.Add(m_hWnd, GetAppName());
    m_engineActions.SetUserNotice(
        [this](const std::string& text, bool warning) { m_trayIcon.ShowBalloon(text, warning); });
    m_engineActions.SetEnabledChangeHandler(
        [this](bool enabled) { m_trayIcon.ShowEnabled(enabled); });
    m_engineActions.Releases().Attach(m_hWnd);
    m_engineActions.SetStrokeTimerHandler([this] { OnStrokeTimer(); });

    m_table.Load();
    m_deviceList.Fill(m_midiIn.ListDevices(), m_table.GetDeviceName());
    m_ruleList.SetUp();
    m_midiInMessages.Attach(m_hWnd, m_midiIn);
    OpenMidiInDevice();
    m_listenerManager.AddListener(this);
    return TRUE;
}

void CSettingDlg::OpenMidiInDevice() {
    const std::string name = m_table.GetDeviceName();
    // The tip is shown before the box: the box waits for the user, and the
    // device may be found again meanwhile.
    const Status status = m_midiIn.Open(name, reinterpret_cast<std::uintptr_t>(m_hWnd));
    if (status == Status::Missing || status == Status::Unopenable) {
        ShowMessageBox(Format("MIDI-INデバイス[%s]のオープンに失敗しました。", name.c_str()));
    }
}

bool CSettingDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        *result = 0;
        return true;
    case WM_SYSCOMMAND:
        OnSysCommand(wParam, lParam);
        *result = 0;
        return true;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        *result = 0;
        return true;
    case kTrayNotifyMessage:
        *result = OnTrayNotify(wParam, lParam);
        return true;
    default:
        break;
    }
    if (m_trayIcon.OnMessage(message, wParam) ||
        m_engineActions.Releases().OnMessage(message, wParam)) {
        *result = 0;
        return true;
    }
    if (OnSingleInstanceMessage(message, wParam, result, [this] { OnSettings(); })) {
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
        case IDC_ADD_BUTTON:
            OnAdd();
            return true;
        case IDC_EDIT_BUTTON:
            OnEdit();
            return true;
        case IDC_DELETE_BUTTON:
            OnDelete();
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

LRESULT CSettingDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_RBUTTONDOWN:
        m_trayIcon.ShowMenu(IsEnabled());
        break;
    case WM_LBUTTONDOWN:
        OnSettings();
        break;
    default:
        break;
    }
    return 1;
}

void CSettingDlg::OnSettings() {
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void CSettingDlg::OnVersion() {
    CAboutDlg about;
    about.DoModal();
}

void CSettingDlg::OnSysCommand(WPARAM command, LPARAM lParam) {
    // The low four bits of a system command are the system's own.
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    Default(WM_SYSCOMMAND, command, lParam);
}

void CSettingDlg::SaveChanges() {
    if (m_table.Save()) {
        m_bSaveFailureShown = false;
        return;
    }
    if (!m_bSaveFailureShown) {
        m_bSaveFailureShown = true;
        m_trayIcon.ShowBalloon(Format("設定ファイル[%s]に変更を保存できませんでした。"
                                      "次に変更したときと終了するときに、もう一度保存します。",
                                      GetConfigPath().c_str()),
                               true);
    }
}

void CSettingDlg::OnEndSession(WPARAM ending, LPARAM lParam) {
    ReleaseHeldKeys();
    m_table.Save();
    Default(WM_ENDSESSION, ending, lParam);
}

void CSettingDlg::OnDestroy() {
    ReleaseHeldKeys();
    if (!m_table.Save()) {
        // The window is going away; the box belongs to the hidden host.
        ShowMessageBoxOwnedBy(GetMainWindow(), Format("設定ファイル[%s]の保存に失敗しました。",
                                                      GetConfigPath().c_str()));
    }
    Default(WM_DESTROY, 0, 0);
    m_engineActions.SetUserNotice(nullptr);
    m_engineActions.SetEnabledChangeHandler(nullptr);
    m_engineActions.SetStrokeTimerHandler(nullptr);
    m_trayIcon.Remove();
}

void CSettingDlg::OnModalRunEnded() {
    // The icon goes while the window is hidden, saved and destroyed.
    m_trayIcon.BeginRemove();
}
