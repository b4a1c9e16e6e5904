#include "SettingsWindow.h"

#include "Polling.h"
#include "Windows.h"

SettingsWindow SettingsWindow::WaitFor(DWORD processId, unsigned timeoutMs) {
    return SettingsWindow(WaitForTopLevelWindow(
        processId, [](HWND window) { return IsDialogTitled(window, kTitlePrefix); }, timeoutMs));
}

std::string SettingsWindow::Title() const { return WindowText(m_window); }

bool SettingsWindow::WaitUntilVisible(bool visible, unsigned timeoutMs) const {
    return WaitUntil([&] { return IsVisible() == visible; }, timeoutMs);
}

bool SettingsWindow::PostMidi(std::uintptr_t portHandle, std::uint32_t shortMessage) const {
    return PostMessageA(m_window, kMidiData, static_cast<WPARAM>(portHandle),
                        static_cast<LPARAM>(shortMessage)) != 0;
}

bool SettingsWindow::PostCommand(WORD id) const {
    return PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0) != 0;
}

bool SettingsWindow::PostTrayMouse(UINT mouseMessage) const {
    return PostMessageA(m_window, kTrayMessage, 0, static_cast<LPARAM>(mouseMessage)) != 0;
}

bool SettingsWindow::PostSysCommand(WPARAM command) const {
    return PostMessageA(m_window, WM_SYSCOMMAND, command, 0) != 0;
}

bool SettingsWindow::PostDeviceChange() const {
    constexpr WPARAM kDevNodesChanged = 0x0007; // DBT_DEVNODES_CHANGED
    return PostMessageA(m_window, WM_DEVICECHANGE, kDevNodesChanged, 0) != 0;
}

bool SettingsWindow::PostPowerBroadcast(WPARAM event) const {
    return PostMessageA(m_window, WM_POWERBROADCAST, event, 0) != 0;
}

bool SettingsWindow::PostClose() const { return PostMessageA(m_window, WM_CLOSE, 0, 0) != 0; }

bool SettingsWindow::PressEscape() const {
    // The key goes where the keyboard focus of the window's thread is, so
    // that the dialog manager sees it as it would see a real key press.
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = m_window;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) &&
        info.hwndFocus != nullptr &&
        (info.hwndFocus == m_window || IsChild(m_window, info.hwndFocus))) {
        target = info.hwndFocus;
    }
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, scan | 1) &&
           PostMessageA(target, WM_KEYUP, VK_ESCAPE, scan | 1 | (3u << 30));
}

bool SettingsWindow::SendEndSession(bool ending, unsigned timeoutMs) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(m_window, WM_ENDSESSION, ending ? TRUE : FALSE, 0,
                               SMTO_NORMAL, timeoutMs, &result) != 0;
}
