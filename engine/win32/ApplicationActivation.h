#pragma once
#include <windows.h>

#include <string>

class CEnumProcesses;

// What one window walk of an activation looks for.
struct ActivationSearch {
    CEnumProcesses* processes;
    std::string exePath;
    // Set when a visible window of the executable was met.
    bool found = false;
};

// EnumWindows callback: on the first visible window whose process runs
// search->exePath (letter case ignored), brings its top-level owner to the
// front and stops the walk.
BOOL CALLBACK ActivateWindowProc(HWND window, LPARAM search);

enum class ActivationOutcome {
    Activated,
    NoWindow,
    // The running processes could not be listed: whether it runs is unknown.
    Unknown,
};

// Brings the topmost visible window of the running executable to the front,
// restoring it first when it is minimised. Does nothing for an empty path.
ActivationOutcome ActivateApplicationWindow(const std::string& exePath);
