#include "TrayIcon.h"

#include "StringUtil.h"
#include "WinApp.h"
#include "resource.h"

#include <cstring>

namespace {
// Seconds, not less: the shell that refused may be starting up.
constexpr UINT_PTR kAddAgainTimer = 0x5353;
constexpr UINT kAddAgainDelayMs = 3000;

HICON TrayIconImage(bool enabled) {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    return static_cast<HICON>(::LoadImageA(GetAppInstance(),
                                           MAKEINTRESOURCEA(enabled ? IDR_MAINFRAME : IDI_DISABLED),
                                           IMAGE_ICON, size, size, LR_SHARED));
}

template <std::size_t size> void CopyCut(char (&field)[size], const std::string& text) {
    const std::string cut = CutAtCharacterBoundary(text, size - 1);
    std::memcpy(field, cut.c_str(), cut.size() + 1);
}
} // namespace

CTrayIcon::CTrayIcon(UINT callbackMessage)
    : m_data(), m_taskbarCreatedMessage(::RegisterWindowMessageA("TaskbarCreated")) {
    // The short record of the oldest shells: 64 bytes of tip.
    m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_data.uID = 0;
    m_data.uCallbackMessage = callbackMessage;
}

void CTrayIcon::Add(HWND window, const std::string& tip) {
    m_data.hWnd = window;
    m_data.hIcon = TrayIconImage(true);
    CopyCut(m_data.szTip, tip);
    LetShellRestartNoticeThrough();
    AddToShell();
}

void CTrayIcon::LetShellRestartNoticeThrough() {
    // A program run as administrator does not hear the shell's broadcast
    // from below its level unless it lets the message through; the function
    // is bound at run time, as older systems lack it.
    using AllowFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    const auto allow = user32 == nullptr
                           ? nullptr
                           : reinterpret_cast<AllowFunction>(reinterpret_cast<void (*)()>(
                                 ::GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW
    if (allow != nullptr && m_taskbarCreatedMessage != 0) {
        // A refusal leaves only the restart of an elevated copy unheard;
        // nothing better can be done about it.
        allow(m_data.hWnd, m_taskbarCreatedMessage, kAllow, nullptr);
    }
}

void CTrayIcon::AddToShell() {
    if (m_removing) {
        return;
    }
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (::Shell_NotifyIconA(NIM_ADD, &m_data)) {
        ::KillTimer(m_data.hWnd, kAddAgainTimer);
        return;
    }
    // A busy shell can time out and add the icon all the same, and then a
    // second add fails for good: an icon that can be modified is there.
    if (::Shell_NotifyIconA(NIM_MODIFY, &m_data)) {
        ::KillTimer(m_data.hWnd, kAddAgainTimer);
        return;
    }
    // Only while the icon is missing, so that an idle program stays idle. A
    // refused timer leaves the icon to the shell's next restart notice.
    ::SetTimer(m_data.hWnd, kAddAgainTimer, kAddAgainDelayMs, nullptr);
}

void CTrayIcon::BeginRemove() {
    m_removing = true;
    ::KillTimer(m_data.hWnd, kAddAgainTimer);
    m_removal.Begin(m_data);
}

void CTrayIcon::Remove() {
    m_removing = true;
    ::KillTimer(m_data.hWnd, kAddAgainTimer);
    m_removal.Complete(m_data);
}

void CTrayIcon::SetTip(const std::string& tip) {
    if (CutAtCharacterBoundary(tip, sizeof m_data.szTip - 1) == m_data.szTip) {
        return;
    }
    CopyCut(m_data.szTip, tip);
    if (m_data.uFlags != 0 && !m_removing) { // already added: show the new tip
        NOTIFYICONDATAA data = m_data;
        data.uFlags = NIF_TIP;
        ::Shell_NotifyIconA(NIM_MODIFY, &data);
    }
}

void CTrayIcon::ShowEnabled(bool enabled) {
    if (m_removing) {
        return;
    }
    m_data.uFlags = NIF_ICON;
    m_data.hIcon = TrayIconImage(enabled);
    ::Shell_NotifyIconA(NIM_MODIFY, &m_data);
}

void CTrayIcon::ShowBalloon(const std::string& text, bool warning) {
    if (m_removing) {
        return;
    }
    // A balloon needs the longer record; the icon itself keeps the short one.
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = m_data.hWnd;
    data.uID = m_data.uID;
    data.uFlags = NIF_INFO;
    CopyCut(data.szInfo, text);
    CopyCut(data.szInfoTitle, GetAppName());
    data.dwInfoFlags = warning ? NIIF_WARNING : NIIF_INFO;
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void CTrayIcon::ShowMenu(bool enabled) {
    HWND window = m_data.hWnd;
    ::SetForegroundWindow(window);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    HMENU menu = ::LoadMenuA(GetAppInstance(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (menu == nullptr) {
        return;
    }
    HMENU popup = ::GetSubMenu(menu, 0);
    if (popup != nullptr) {
        if (!enabled) {
            ::CheckMenuItem(popup, ID_TRAY_TOGGLE_ENABLED, MF_BYCOMMAND | MF_CHECKED);
        }
        ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
        // Lets the menu close when the user clicks elsewhere.
        ::PostMessageA(window, WM_NULL, 0, 0);
    }
    ::DestroyMenu(menu);
}

bool CTrayIcon::OnMessage(UINT message, WPARAM wParam) {
    const bool addAgain = message == WM_TIMER && wParam == kAddAgainTimer;
    if (!addAgain && (message != m_taskbarCreatedMessage || m_taskbarCreatedMessage == 0)) {
        return false;
    }
    AddToShell();
    return true;
}
