#pragma once
#include "TrayIconRemoval.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

// The program's icon in the notification area: icon 128 while the converter
// is on and 129 while it is off, a tip, balloons, and the tray menu. The
// shell sends the icon's mouse events to the window as `callbackMessage`.
class CTrayIcon {
public:
    explicit CTrayIcon(UINT callbackMessage);

    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon of `window` with the converter on.
    void Add(HWND window, const std::string& tip);
    // Starts taking the icon away without waiting for the shell. From then
    // on nothing adds or changes the icon, not even the shell's restart.
    void BeginRemove();
    // Returns once the icon is gone (begun here when it was not yet).
    void Remove();

    // Cut to the field's 63 bytes at a character boundary.
    void SetTip(const std::string& tip);
    void ShowEnabled(bool enabled);
    // Tells the user something without stopping them, titled with the
    // application name; `warning` chooses the warning icon.
    void ShowBalloon(const std::string& text, bool warning);
    // At the cursor, the converter's item checked while it is off. The item
    // chosen comes to the window as a command.
    void ShowMenu(bool enabled);

    // True for the window's messages that were the icon's: the shell's
    // announcement that it (re)started and lost every icon, and the timer
    // that tries again while the icon is missing. Without the icon a hidden
    // window could not be brought back.
    bool OnMessage(UINT message, WPARAM wParam);

private:
    void AddToShell();
    void LetShellRestartNoticeThrough();

    NOTIFYICONDATAA m_data;
    UINT m_taskbarCreatedMessage;
    CTrayIconRemoval m_removal;
    bool m_removing = false;
};
