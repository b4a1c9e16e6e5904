#include "SettingDlg.h"

#include "AboutDlg.h"
#include "ChangeTable.h"
#include "DataExchange.h"
#include "MessageBox.h"
#include "MidiInDevice.h"
#include "MidiInEventListenerManager.h"
#include "MidiPlatform.h"
#include "ModulePath.h"
#include "StringUtil.h"
#include "VersionInfo.h"
#include "Win32EngineActions.h"
#include "WinApp.h"
#include "resource.h"

#include <mmsystem.h>

#include <cstring>

namespace {
constexpr UINT kTrayNotifyMessage = WM_APP + 1;

// The engine's key strokes and activations; the on/off change is shown
// here, in ShowEnabled.
CWin32EngineActions& EngineActions() {
    static CWin32EngineActions actions;
    return actions;
}

HICON LoadAppIcon(int id, int size) {
    return static_cast<HICON>(
        ::LoadImageA(GetAppInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_SHARED));
}

HICON TrayIcon(bool enabled) {
    return LoadAppIcon(enabled ? IDR_MAINFRAME : IDI_DISABLED, ::GetSystemMetrics(SM_CXSMICON));
}

// Copies a text into a record's field, cut at a character boundary when it
// is longer than the field allows.
void CopyCut(char* field, size_t fieldSize, const std::string& tip) {
    size_t length = 0;
    while (length < tip.size()) {
        const size_t step = IsShiftJisLeadByte(static_cast<unsigned char>(tip[length])) ? 2 : 1;
        if (length + step > fieldSize - 1 || length + step > tip.size()) {
            break;
        }
        length += step;
    }
    std::memcpy(field, tip.data(), length);
    field[length] = '\0';
}
} // namespace

CSettingDlg::CSettingDlg(CWnd* parent) : CSettingDlg(new CChangeTable, parent) {}

CSettingDlg::CSettingDlg(CChangeTable* table, CWnd* parent)
    : CDialog(IDD_SETTING_DIALOG, parent), CConversionEngine(table, EngineActions()),
      m_pChangeTable(table), m_notifyIconData(),
      m_pListenerManager(new CMidiInEventListenerManager), m_pMidiInDevice(new CMidiInDevice),
      m_nTaskbarCreatedMessage(::RegisterWindowMessageA("TaskbarCreated")),
      m_midiInTip(GetAppName()) {}

CSettingDlg::~CSettingDlg() {
    CloseMidiInDevice();
    delete m_pChangeTable;
    m_pChangeTable = nullptr;
    delete m_pListenerManager;
    delete m_pMidiInDevice;
}

void CSettingDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TABLE_LIST, m_listCtrl);
    DDX_Control(pDX, IDC_DEVICE_COMBO, m_comboDevice);
}

LRESULT CSettingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MIM_DATA) {
        m_pListenerManager->OnShortMessage(static_cast<std::uint32_t>(wParam),
                                           static_cast<std::uint32_t>(lParam));
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CSettingDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CVersionInfo versionInfo;
    versionInfo.LoadFromFile(GetModulePath());
    SetText(Format("%s Ver.%s %s", GetAppName().c_str(), versionInfo.GetFileVersion().c_str(),
                   versionInfo.GetLegalCopyright().c_str()));

    ::SendMessageA(
        m_hWnd, WM_SETICON, ICON_BIG,
        reinterpret_cast<LPARAM>(::LoadIconA(GetAppInstance(), MAKEINTRESOURCEA(IDR_MAINFRAME))));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(LoadAppIcon(IDR_MAINFRAME, 16)));

    m_notifyIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_notifyIconData.hWnd = m_hWnd;
    m_notifyIconData.uID = 0;
    m_notifyIconData.uCallbackMessage = kTrayNotifyMessage;
    m_notifyIconData.hIcon = TrayIcon(true);
    SetTrayTip(GetAppName());
    AddTrayIcon();
    EngineActions().SetUserNotice(
        [this](const std::string& text, bool warning) { ShowBalloon(text, warning); });
    EngineActions().SetEnabledChangeHandler([this](bool enabled) { ShowEnabled(enabled); });

    m_pChangeTable->Load();
    SetUpEditingControls();
    OpenMidiInDevice();
    m_pListenerManager->AddListener(this);
    return TRUE;
}

void CSettingDlg::AddTrayIcon() {
    m_notifyIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    ::Shell_NotifyIconA(NIM_ADD, &m_notifyIconData);
}

void CSettingDlg::OpenMidiInDevice() {
    CloseMidiInDevice();
    const std::string name = m_pChangeTable->GetDeviceName();
    const CMidiInReconnector::Status before = m_reconnector.GetStatus();
    if (name.empty()) {
        m_reconnector.SetNotOpened(CMidiInReconnector::Status::NoDevice);
        ShowMidiInStatus(before, false);
    } else {
        MidiPlatform& midi = PlatformMidi();
        bool found = false;
        bool opened = false;
        const unsigned count = midi.InGetNumDevs();
        for (unsigned index = 0; index < count; ++index) {
            std::string productName;
            if (midi.InGetDevCaps(index, productName) != 0) {
                continue;
            }
            if (productName == name) {
                found = true;
                opened = m_pMidiInDevice->Open(index, reinterpret_cast<std::uintptr_t>(m_hWnd));
                if (opened) {
                    m_reconnector.SetOpened(index, m_pMidiInDevice->Handle());
                }
                break;
            }
        }
        if (!opened) {
            m_reconnector.SetNotOpened(found ? CMidiInReconnector::Status::Unopenable
                                             : CMidiInReconnector::Status::Missing);
        }
        // The tip before the box: the box waits for the user, and the device
        // may be found again meanwhile.
        ShowMidiInStatus(before, false);
        if (!opened) {
            ShowMessageBox(Format("MIDI-INデバイス[%s]のオープンに失敗しました。", name.c_str()));
        }
    }
    ResetControllerValues();
}

void CSettingDlg::CloseMidiInDevice() {
    // Without the device no note-off or pedal release can come any more.
    ReleaseHeldKeys();
    const bool wasOpen = m_pMidiInDevice->IsOpen();
    if (m_pMidiInDevice->Close() && wasOpen) {
        m_reconnector.OnClosedByProgram();
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
    if (OnMidiInNotice(message, wParam, lParam, result)) {
        return true;
    }
    if (message == m_nTaskbarCreatedMessage && m_nTaskbarCreatedMessage != 0) {
        OnTaskbarCreated();
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
    if (header.idFrom == IDC_TABLE_LIST && header.code == static_cast<UINT>(NM_DBLCLK)) {
        OnDblClkList(header, result);
        return true;
    }
    return CDialog::OnNotify(header, result);
}

LRESULT CSettingDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
    case WM_RBUTTONDOWN: {
        ::SetForegroundWindow(m_hWnd);
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        HMENU menu = ::LoadMenuA(GetAppInstance(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
        if (menu == nullptr) {
            break;
        }
        HMENU popup = ::GetSubMenu(menu, 0);
        if (popup != nullptr) {
            if (!IsEnabled()) {
                ::CheckMenuItem(popup, ID_TRAY_TOGGLE_ENABLED, MF_BYCOMMAND | MF_CHECKED);
            }
            ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, m_hWnd, nullptr);
            // Lets the menu close when the user clicks elsewhere.
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
        }
        ::DestroyMenu(menu);
        break;
    }
    case WM_LBUTTONDOWN:
        OnSettings();
        break;
    default:
        break;
    }
    return 1;
}

void CSettingDlg::ShowEnabled(bool enabled) {
    m_notifyIconData.uFlags = NIF_ICON;
    m_notifyIconData.hIcon = TrayIcon(enabled);
    ::Shell_NotifyIconA(NIM_MODIFY, &m_notifyIconData);
}

void CSettingDlg::SetTrayTip(const std::string& tip) {
    // The record is the short one of the oldest shells: 64 bytes of tip.
    CopyCut(m_notifyIconData.szTip, 64, tip);
    if (m_notifyIconData.uFlags != 0) { // already added: show the new tip
        NOTIFYICONDATAA data = m_notifyIconData;
        data.uFlags = NIF_TIP;
        ::Shell_NotifyIconA(NIM_MODIFY, &data);
    }
}

void CSettingDlg::ShowBalloon(const std::string& text, bool warning) {
    // A balloon needs the longer record; the icon itself keeps the short one.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = m_hWnd;
    data.uID = m_notifyIconData.uID;
    data.uFlags = NIF_INFO;
    CopyCut(data.szInfo, sizeof data.szInfo, text);
    CopyCut(data.szInfoTitle, sizeof data.szInfoTitle, GetAppName());
    data.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void CSettingDlg::OnTaskbarCreated() {
    // A restarted shell has forgotten our icon; without it a hidden window
    // could not be brought back.
    AddTrayIcon();
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
    if (m_pChangeTable->Save()) {
        m_bSaveFailureShown = false;
        return;
    }
    if (!m_bSaveFailureShown) {
        m_bSaveFailureShown = true;
        ShowBalloon(Format("設定ファイル[%s]に変更を保存できませんでした。"
                           "次に変更したときと終了するときに、もう一度保存します。",
                           GetConfigPath().c_str()),
                    true);
    }
}

void CSettingDlg::OnEndSession(WPARAM ending, LPARAM lParam) {
    ReleaseHeldKeys();
    m_pChangeTable->Save();
    Default(WM_ENDSESSION, ending, lParam);
}

void CSettingDlg::OnDestroy() {
    ReleaseHeldKeys();
    if (!m_pChangeTable->Save()) {
        // The window is going away; the box belongs to the hidden host.
        ShowMessageBoxOwnedBy(GetMainWindow(), Format("設定ファイル[%s]の保存に失敗しました。",
                                                      GetConfigPath().c_str()));
    }
    Default(WM_DESTROY, 0, 0);
    EngineActions().SetUserNotice(nullptr);
    EngineActions().SetEnabledChangeHandler(nullptr);
    ::Shell_NotifyIconA(NIM_DELETE, &m_notifyIconData);
}
