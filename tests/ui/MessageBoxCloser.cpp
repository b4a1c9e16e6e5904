#include "MessageBoxCloser.h"

#include "Wnd.h"

namespace {
MessageBoxCloser* g_closer = nullptr;
std::vector<HWND> g_closing;

bool IsMessageBox(HWND hwnd) {
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    // A message box is a dialog with its text in a static of id 0xFFFF.
    return std::string(className) == "#32770" && ::GetDlgItem(hwnd, 0xFFFF) != nullptr &&
           ::IsWindowVisible(hwnd);
}
} // namespace

MessageBoxCloser::MessageBoxCloser() {
    g_closer = this;
    m_timer = ::SetTimer(nullptr, 0, 30, &MessageBoxCloser::OnTimer);
}

MessageBoxCloser::~MessageBoxCloser() {
    if (m_timer != 0) {
        ::KillTimer(nullptr, m_timer);
    }
    g_closer = nullptr;
    g_closing.clear();
}

void CALLBACK MessageBoxCloser::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_closer != nullptr) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &MessageBoxCloser::CheckWindow, 0);
    }
}

BOOL CALLBACK MessageBoxCloser::CheckWindow(HWND hwnd, LPARAM) {
    if (!IsMessageBox(hwnd)) {
        return TRUE;
    }
    for (HWND closing : g_closing) {
        if (closing == hwnd) {
            return TRUE;
        }
    }
    Seen seen;
    seen.caption = GetWindowTextString(hwnd);
    seen.text = GetWindowTextString(::GetDlgItem(hwnd, 0xFFFF));
    // The icon is a static with SS_ICON; an OK-only box has IDOK and no
    // IDCANCEL, IDYES or IDNO.
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && ::SendMessageA(child, STM_GETICON, 0, 0) != 0) {
            seen.hasExclamationIcon =
                reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0)) ==
                ::LoadIconA(nullptr, IDI_EXCLAMATION);
        }
    }
    seen.hasOnlyOk = ::GetDlgItem(hwnd, IDOK) != nullptr &&
                     ::GetDlgItem(hwnd, IDCANCEL) == nullptr &&
                     ::GetDlgItem(hwnd, IDYES) == nullptr && ::GetDlgItem(hwnd, IDNO) == nullptr;
    g_closer->m_seen.push_back(seen);
    g_closing.push_back(hwnd);
    ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, IDOK)));
    return TRUE;
}
