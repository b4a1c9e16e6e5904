#include "Wnd.h"

#include <vector>

std::string GetWindowTextString(HWND hwnd) {
    if (hwnd == nullptr) {
        return std::string();
    }
    const int length = ::GetWindowTextLengthA(hwnd);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

HWND CWnd::GetDlgItem(int id) const {
    return m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, id) : nullptr;
}

std::string CWnd::GetText() const { return GetWindowTextString(m_hWnd); }

void CWnd::SetText(const std::string& text) {
    if (m_hWnd != nullptr) {
        ::SetWindowTextA(m_hWnd, text.c_str());
    }
}

std::string CWnd::GetDlgItemText(int id) const { return GetWindowTextString(GetDlgItem(id)); }

void CWnd::SetDlgItemText(int id, const std::string& text) {
    if (HWND item = GetDlgItem(id)) {
        ::SetWindowTextA(item, text.c_str());
    }
}

void CWnd::Show(int showCommand) {
    if (m_hWnd != nullptr) {
        ::ShowWindow(m_hWnd, showCommand);
    }
}

void CWnd::SetFocus() {
    if (m_hWnd != nullptr) {
        ::SetFocus(m_hWnd);
    }
}

bool CWnd::IsVisible() const { return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd); }
