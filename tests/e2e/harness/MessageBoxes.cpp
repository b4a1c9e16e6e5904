#include "MessageBoxes.h"

#include "Polling.h"
#include "Windows.h"

#include <algorithm>

MessageBoxInfo ReadMessageBox(HWND window) {
    MessageBoxInfo box;
    box.window = window;
    box.caption = WindowText(window);
    for (HWND child : ChildWindowsOf(window)) {
        const std::string kind = WindowClass(child);
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (_stricmp(kind.c_str(), "Button") == 0) {
            box.buttons.push_back(WindowText(child));
        } else if (_stricmp(kind.c_str(), "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                box.hasIcon = true;
            } else if (box.text.empty()) {
                box.text = WindowText(child);
            }
        }
    }
    return box;
}

MessageBoxInfo FindMessageBox(DWORD processId, const std::vector<HWND>& exclude) {
    const HWND window = FindTopLevelWindow(processId, [&](HWND candidate) {
        return WindowClass(candidate) == "#32770" && IsWindowVisible(candidate) &&
               std::find(exclude.begin(), exclude.end(), candidate) == exclude.end();
    });
    return window != nullptr ? ReadMessageBox(window) : MessageBoxInfo();
}

MessageBoxInfo WaitForMessageBox(DWORD processId, unsigned timeoutMs,
                                 const std::vector<HWND>& exclude) {
    MessageBoxInfo box;
    WaitUntil([&] { return (box = FindMessageBox(processId, exclude)).IsFound(); }, timeoutMs);
    return box;
}

bool DismissMessageBox(const MessageBoxInfo& box, unsigned timeoutMs) {
    if (!box.IsFound() || !PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0)) {
        return false;
    }
    return WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); },
                     timeoutMs);
}
