#pragma once
#include <windows.h>

#include <string>

// The process a window belongs to, 0 when unknown. The one place that
// decides which program a window stands for.
DWORD ProcessOfWindow(HWND window);

// The full path of a running process's executable in its canonical form,
// however long; empty when the process is gone or may not be queried.
std::string ProcessExePath(DWORD processId);

// The executable of the window in front's program, empty when unknown.
std::string WindowExePath(HWND window);
