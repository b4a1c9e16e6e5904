#pragma once
#include <windows.h>

#include <string>

// The program's own message box: the text, an OK button and the
// exclamation icon, captioned with the application name. Owned by the
// application's active pop-up; returns when it is closed.
int ShowMessageBox(const std::string& text, UINT type = MB_OK | MB_ICONEXCLAMATION);
// The same with a given owner (null for none): for a box shown while the
// application's active window is being destroyed.
int ShowMessageBoxOwnedBy(HWND owner, const std::string& text,
                          UINT type = MB_OK | MB_ICONEXCLAMATION);
