#include "Win32WindowActivationCalls.h"

#include "KeyInjection.h"
#include "KeyStroke.h"

#include <windows.h>

namespace {
HWND AsHwnd(IWindowActivationCalls::Window window) {
    return static_cast<HWND>(window);
}
} // namespace

bool CWin32WindowActivationCalls::IsIconic(Window window) {
    return ::IsIconic(AsHwnd(window)) != FALSE;
}

void CWin32WindowActivationCalls::ShowNormal(Window window) {
    ::ShowWindow(AsHwnd(window), SW_SHOWNORMAL);
}

bool CWin32WindowActivationCalls::SetForegroundWindow(Window window) {
    return ::SetForegroundWindow(AsHwnd(window)) != FALSE;
}

void CWin32WindowActivationCalls::SetActiveWindow(Window window) {
    ::SetActiveWindow(AsHwnd(window));
}

void CWin32WindowActivationCalls::SetFocus(Window window) {
    ::SetFocus(AsHwnd(window));
}

bool CWin32WindowActivationCalls::BringWindowToTop(Window window) {
    return ::BringWindowToTop(AsHwnd(window)) != FALSE;
}

IWindowActivationCalls::Window CWin32WindowActivationCalls::GetForegroundWindow() {
    return ::GetForegroundWindow();
}

IWindowActivationCalls::Window CWin32WindowActivationCalls::GetOwner(Window window) {
    return ::GetWindow(AsHwnd(window), GW_OWNER);
}

bool CWin32WindowActivationCalls::IsHungAppWindow(Window window) {
    return ::IsHungAppWindow(AsHwnd(window)) != FALSE;
}

std::uint32_t CWin32WindowActivationCalls::GetWindowThreadId(Window window) {
    return ::GetWindowThreadProcessId(AsHwnd(window), nullptr);
}

std::uint32_t CWin32WindowActivationCalls::GetCurrentThreadId() {
    return ::GetCurrentThreadId();
}

bool CWin32WindowActivationCalls::AttachThreadInput(std::uint32_t thread, std::uint32_t toThread,
                                                    bool attach) {
    return ::AttachThreadInput(thread, toThread, attach ? TRUE : FALSE) != FALSE;
}

void CWin32WindowActivationCalls::TapUnassignedKey() {
    const KeyStrokeEvent tap[] = {{kUnassignedVirtualKey, false, false},
                                  {kUnassignedVirtualKey, true, false}};
    // A refused tap only means that the foreground call after it fails too.
    SendKeyStrokeEvents(tap, 2);
}
