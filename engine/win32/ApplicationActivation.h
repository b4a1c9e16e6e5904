#pragma once
#include <windows.h>

#include <string>

class CEnumProcesses;

// What one window walk of an activation looks for.
struct ActivationSearch {
    CEnumProcesses* processes;
    std::string exePath;
};

// EnumWindows callback: on the first visible window whose process runs
// search->exePath (letter case ignored), brings its top-level owner to the
// front and stops the walk.
BOOL CALLBACK ActivateWindowProc(HWND window, LPARAM search);

// Brings the topmost visible window of the running executable to the front,
// restoring it first when it is minimised. Does nothing for an empty path or
// when no such window exists.
void ActivateApplicationWindow(const std::string& exePath);
