#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A dialog window of another process, driven from outside through its
// controls the way the user's clicks and keys reach them.
class DialogDriver {
public:
    // Waits for a visible dialog of the process whose title is `title`.
    static DialogDriver WaitFor(DWORD processId, const std::string& title, unsigned timeoutMs);

    DialogDriver() = default;
    explicit DialogDriver(HWND window) : m_window(window) {}

    bool IsFound() const { return m_window != nullptr; }
    HWND Handle() const { return m_window; }
    std::string Title() const;
    bool IsOpen() const;
    bool WaitUntilClosed(unsigned timeoutMs) const;

    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    std::string Text(int id) const;
    bool SetText(int id, const std::string& text) const;
    bool IsChecked(int id) const;
    bool IsEnabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }
    // The index of the checked one of `ids`, -1 if none is checked.
    int CheckedOf(const std::vector<int>& ids) const;
    int ComboSelection(int id) const;
    // Selects an entry as the program would (no notification).
    bool SetComboSelection(int id, int index) const;

    // A click on a button, handled in the dialog's own message order.
    bool Click(int id) const;
    bool PressOk() const { return PostCommand(IDOK); }
    bool PressCancel() const { return PostCommand(IDCANCEL); }
    bool PostCommand(int id) const;

    // The window that has the keyboard focus in the dialog's thread.
    HWND FocusedWindow() const;
    // Moves the focus to a control as the dialog manager does for Tab.
    bool FocusControl(int id, unsigned timeoutMs) const;
    // A key pressed and released where the focus is (posted, so Ctrl, Shift
    // and Alt read as up).
    bool PostKey(UINT virtualKey) const;
    // Makes the dialog the foreground window, for real keyboard input.
    bool BringToFront(unsigned timeoutMs) const;

private:
    HWND m_window = nullptr;
};
