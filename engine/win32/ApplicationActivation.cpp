#include "ApplicationActivation.h"

#include "EnumProcesses.h"
#include "ForegroundActivation.h"
#include "StringUtil.h"
#include "Win32WindowActivationCalls.h"

BOOL CALLBACK ActivateWindowProc(HWND window, LPARAM param) {
    ActivationSearch& search = *reinterpret_cast<ActivationSearch*>(param);
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
    search.found = true;
    CWin32WindowActivationCalls calls;
    // Whether the platform let the window come to the front is not ours to
    // fix beyond the fallbacks tried there.
    BringWindowToFront(calls, TopLevelOwner(calls, window));
    return FALSE;
}

ActivationOutcome ActivateApplicationWindow(const std::string& exePath) {
    if (exePath.empty()) {
        return ActivationOutcome::NoWindow;
    }
    CEnumProcesses processes;
    // A failed snapshot is empty and matches no window.
    const bool listed = processes.Refresh();
    ActivationSearch search{&processes, exePath};
    // EnumWindows also reports false when the callback ended the walk.
    EnumWindows(&ActivateWindowProc, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
        return ActivationOutcome::Activated;
    }
    return listed ? ActivationOutcome::NoWindow : ActivationOutcome::Unknown;
}
