#include "ForegroundActivation.h"

using Window = IWindowActivationCalls::Window;

namespace {

// A dialog the target owns may take the front in its place; that counts.
bool IsInFront(IWindowActivationCalls& calls, Window target) {
    for (Window window = calls.GetForegroundWindow(); window != nullptr;
         window = calls.GetOwner(window)) {
        if (window == target) {
            return true;
        }
    }
    return false;
}

// The platform lets a thread that shares the foreground thread's input
// state change the foreground. Joined to a thread that is busy, our own
// thread would wait for it, so only responsive windows are joined.
void RaiseWithJoinedInput(IWindowActivationCalls& calls, Window target) {
    const Window foreground = calls.GetForegroundWindow();
    if (foreground == nullptr || !calls.IsResponsive(foreground) || !calls.IsResponsive(target)) {
        return;
    }
    const std::uint32_t ownThread = calls.GetCurrentThreadId();
    const std::uint32_t foregroundThread = calls.GetWindowThreadId(foreground);
    const bool attached = foregroundThread != 0 && foregroundThread != ownThread &&
                          calls.AttachThreadInput(ownThread, foregroundThread, true);
    calls.BringWindowToTop(target);
    calls.SetForegroundWindow(target);
    if (attached) {
        calls.AttachThreadInput(ownThread, foregroundThread, false);
    }
}

} // namespace

bool BringWindowToFront(IWindowActivationCalls& calls, Window target) {
    if (calls.IsIconic(target)) {
        calls.RestoreAsync(target);
    }
    calls.SetForegroundWindow(target);
    calls.SetActiveWindow(target);
    calls.SetFocus(target);
    if (IsInFront(calls, target)) {
        return true;
    }
    // Input of our own makes us the process that had the last input event,
    // which the platform accepts for a foreground change. Alt would do the
    // same but opens menus and would let go of an Alt the user holds.
    calls.TapUnassignedKey();
    calls.SetForegroundWindow(target);
    if (IsInFront(calls, target)) {
        return true;
    }
    RaiseWithJoinedInput(calls, target);
    return IsInFront(calls, target);
}
