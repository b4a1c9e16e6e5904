#include "DialogDriver.h"

#include "Polling.h"
#include "Windows.h"

namespace {
constexpr unsigned kSendTimeoutMs = 5000;

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}
} // namespace

DialogDriver DialogDriver::WaitFor(DWORD processId, const std::string& title, unsigned timeoutMs) {
    return DialogDriver(WaitForTopLevelWindow(
        processId,
        [&](HWND window) {
            return IsWindowVisible(window) && WindowClass(window) == "#32770" &&
                   WindowText(window) == title;
        },
        timeoutMs));
}

std::string DialogDriver::Title() const { return WindowText(m_window); }

bool DialogDriver::IsOpen() const { return IsWindow(m_window) && IsWindowVisible(m_window); }

bool DialogDriver::WaitUntilClosed(unsigned timeoutMs) const {
    return WaitUntil([&] { return !IsOpen(); }, timeoutMs);
}

std::string DialogDriver::Text(int id) const { return WindowText(Control(id)); }

bool DialogDriver::SetText(int id, const std::string& text) const {
    const HWND control = Control(id);
    DWORD_PTR result = 0;
    return control != nullptr &&
           SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0 &&
           result == TRUE;
}

bool DialogDriver::IsChecked(int id) const {
    return SendTo(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int DialogDriver::CheckedOf(const std::vector<int>& ids) const {
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (IsChecked(ids[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DialogDriver::ComboSelection(int id) const {
    return static_cast<int>(SendTo(Control(id), CB_GETCURSEL, 0, 0));
}

bool DialogDriver::SetComboSelection(int id, int index) const {
    return SendTo(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0) == index;
}

bool DialogDriver::Click(int id) const {
    const HWND control = Control(id);
    return control != nullptr && PostMessageA(control, BM_CLICK, 0, 0) != 0;
}

bool DialogDriver::PostCommand(int id) const {
    return PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(Control(id))) != 0;
}

HWND DialogDriver::FocusedWindow() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

bool DialogDriver::FocusControl(int id, unsigned timeoutMs) const {
    const HWND control = Control(id);
    if (control == nullptr ||
        !PostMessageA(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE)) {
        return false;
    }
    return WaitUntil([&] { return FocusedWindow() == control; }, timeoutMs);
}

bool DialogDriver::PostKey(UINT virtualKey) const {
    HWND target = FocusedWindow();
    if (target == nullptr || (target != m_window && !IsChild(m_window, target))) {
        target = m_window;
    }
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    return PostMessageA(target, WM_KEYDOWN, virtualKey, scan | 1) &&
           PostMessageA(target, WM_KEYUP, virtualKey, scan | 1 | (3u << 30));
}

bool DialogDriver::BringToFront(unsigned timeoutMs) const {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() != m_window) {
                SetForegroundWindow(m_window);
            }
            return GetForegroundWindow() == m_window;
        },
        timeoutMs);
}
