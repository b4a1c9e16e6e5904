#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A message box that another process shows: a dialog of the platform's
// class with a caption, a text and push buttons.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;                 // the static text that is not empty
    std::vector<std::string> buttons; // texts of the push buttons
    bool hasIcon = false;             // a static control showing an icon

    bool IsFound() const { return window != nullptr; }
};

// Reads a dialog window as a message box.
MessageBoxInfo ReadMessageBox(HWND window);

// The visible message box of the process, if one is open: a visible dialog
// window other than `exclude` (the program's own dialog windows).
MessageBoxInfo FindMessageBox(DWORD processId, const std::vector<HWND>& exclude = {});
MessageBoxInfo WaitForMessageBox(DWORD processId, unsigned timeoutMs,
                                 const std::vector<HWND>& exclude = {});

// Presses its OK button (IDOK); true when the box is gone within the time.
bool DismissMessageBox(const MessageBoxInfo& box, unsigned timeoutMs);
