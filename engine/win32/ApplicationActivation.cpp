#include "ApplicationActivation.h"

#include "AppWindows.h"
#include "EnumProcesses.h"
#include "ExePath.h"
#include "ForegroundActivation.h"
#include "Win32DesktopWindows.h"
#include "Win32WindowActivationCalls.h"

ActivationOutcome ActivateApplicationWindow(const std::string& exePath) {
    if (exePath.empty()) {
        return ActivationOutcome::NoWindow;
    }
    CEnumProcesses processes;
    // A failed snapshot is empty and matches no window.
    const bool listed = processes.Refresh();
    const std::string wanted = CanonicalExePath(exePath);
    CWin32DesktopWindows desktop;
    const IDesktopWindows::Window window = FindAppWindow(desktop, [&](std::uint32_t processId) {
        return IsSameExePath(CanonicalExePath(processes.GetExePath(processId)), wanted);
    });
    if (window == nullptr) {
        return listed ? ActivationOutcome::NoWindow : ActivationOutcome::Unknown;
    }
    CWin32WindowActivationCalls calls;
    // Whether the platform let the window come to the front is not ours to
    // fix beyond the fallbacks tried there.
    BringWindowToFront(calls, window);
    return ActivationOutcome::Activated;
}
