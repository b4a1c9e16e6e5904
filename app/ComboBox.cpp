#include "ComboBox.h"

#include <vector>

int CComboBox::AddString(const std::string& text) {
    return static_cast<int>(
        ::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::InsertString(int index, const std::string& text) {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                           reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::FindStringExact(int startAfter, const std::string& text) const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_FINDSTRINGEXACT,
                                           static_cast<WPARAM>(startAfter),
                                           reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0)); }

int CComboBox::GetCurSel() const {
    return static_cast<int>(::SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}

void CComboBox::SetCurSel(int index) {
    ::SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string CComboBox::GetLBText(int index) const {
    const LRESULT length =
        ::SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const LRESULT copied = ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == CB_ERR || copied < 0) {
        return std::string();
    }
    return std::string(buffer.data(), static_cast<size_t>(copied));
}

void CComboBox::ResetContent() { ::SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0); }
