#pragma once
#include <windows.h>

#include <string>

// A non-owning handle to a window of ours: the dialogs and the control
// wrappers bound to their controls derive from it. The window itself belongs
// to the window system (controls die with their dialog), so destroying the
// object never destroys the window.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach();

    // Child control of this window, or null.
    HWND GetDlgItem(int id) const;

    // The window text in the ANSI code page.
    std::string GetText() const;
    void SetText(const std::string& text);
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);

    void Show(int showCommand);
    void SetFocus();
    bool IsVisible() const;

    HWND m_hWnd = nullptr;
};

// The text of any window, in the ANSI code page.
std::string GetWindowTextString(HWND hwnd);
