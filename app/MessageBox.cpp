#include "MessageBox.h"

#include "WinApp.h"

int ShowMessageBox(const std::string& text, UINT type) {
    HWND owner = GetMainWindow();
    if (owner != nullptr) {
        owner = ::GetLastActivePopup(owner);
    }
    return ShowMessageBoxOwnedBy(owner, text, type);
}

int ShowMessageBoxOwnedBy(HWND owner, const std::string& text, UINT type) {
    const std::string caption = GetAppName();
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}
