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

void CWin32WindowActivationCalls::RestoreAsync(Window window) {
    // SW_SHOWNORMAL would un-maximise a window minimised from maximised;
    // ShowWindow would wait on a target that does not answer.
    ::ShowWindowAsync(AsHwnd(window), SW_RESTORE);
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

bool CWin32WindowActivationCalls::IsResponsive(Window window) {
    constexpr UINT kAnswerWithinMs = 100;
    DWORD_PTR ignored = 0;
    return !::IsHungAppWindow(AsHwnd(window)) &&
           ::SendMessageTimeoutA(AsHwnd(window), WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                 kAnswerWithinMs, &ignored) != 0;
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
