#pragma once
// Looking at other processes' windows.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::string WindowText(HWND window);
std::string WindowClass(HWND window);
DWORD WindowProcessId(HWND window);

// The top-level windows of one process, visible or not, in Z order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// The first top-level window of the process that satisfies `match`, or null.
HWND FindTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match);
// Polls for such a window until the time is up; null when none came.
HWND WaitForTopLevelWindow(DWORD processId, const std::function<bool(HWND)>& match,
                           unsigned timeoutMs);

// Every descendant window, in the order EnumChildWindows gives.
std::vector<HWND> ChildWindowsOf(HWND parent);

// A dialog window (class "#32770") whose title starts with `prefix`.
bool IsDialogTitled(HWND window, const std::string& prefix);
// The popup menu window (class "#32768") that a process shows, or null.
HWND FindPopupMenu(DWORD processId);
