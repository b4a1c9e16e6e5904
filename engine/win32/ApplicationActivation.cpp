#include "ApplicationActivation.h"

#include "EnumProcesses.h"
#include "StringUtil.h"

namespace {

HWND TopLevelOwner(HWND window) {
    while (HWND owner = GetWindow(window, GW_OWNER)) {
        window = owner;
    }
    return window;
}

} // namespace

BOOL CALLBACK ActivateWindowProc(HWND window, LPARAM param) {
    const ActivationSearch& search = *reinterpret_cast<const ActivationSearch*>(param);
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)) {
        return TRUE;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0) {
        return TRUE;
    }
    if (MbsICmp(search.processes->GetExePath(processId).c_str(), search.exePath.c_str()) != 0) {
        return TRUE;
    }
    const HWND target = TopLevelOwner(window);
    if (IsIconic(target)) {
        ShowWindow(target, SW_SHOWNORMAL);
    }
    // The platform may refuse the foreground change; there is nothing to
    // retry with, so the results are not looked at.
    SetForegroundWindow(target);
    SetActiveWindow(target);
    SetFocus(target);
    return FALSE;
}

void ActivateApplicationWindow(const std::string& exePath) {
    if (exePath.empty()) {
        return;
    }
    CEnumProcesses processes;
    processes.Refresh(); // a failed snapshot is empty and matches no window
    ActivationSearch search{&processes, exePath};
    // EnumWindows also reports false when the callback ended the walk.
    EnumWindows(&ActivateWindowProc, reinterpret_cast<LPARAM>(&search));
}
