#include "ApplicationActivation.h"

#include "AppWindows.h"
#include "ExePath.h"
#include "ForegroundActivation.h"
#include "ForegroundApplication.h"
#include "Win32DesktopWindows.h"

#include <map>

ActivationOutcome ActivateApplicationWindow(const std::string& exePath) {
    if (exePath.empty()) {
        return ActivationOutcome::NoWindow;
    }
    // Only the processes that show a window are asked for their path, each
    // once, not every process of the desktop.
    std::map<std::uint32_t, bool> matches;
    bool anyRead = false;
    CWin32DesktopWindows desktop;
    const IDesktopWindows::Window window = FindAppWindow(desktop, [&](std::uint32_t processId) {
        const auto known = matches.find(processId);
        if (known != matches.end()) {
            return known->second;
        }
        const std::string path = ProcessExePath(processId);
        anyRead = anyRead || !path.empty();
        return matches[processId] = !path.empty() && SameExePath(path, exePath);
    });
    if (window == nullptr) {
        // When not one path could be read, whether the program runs is not
        // known: it is not started again on every note.
        return anyRead || matches.empty() ? ActivationOutcome::NoWindow
                                           : ActivationOutcome::Unknown;
    }
    // Whether the platform let the window come to the front is not ours to
    // fix beyond the fallbacks tried there.
    BringWindowToFront(desktop, window);
    return ActivationOutcome::Activated;
}
