#include "ForegroundActivation.h"

using Window = IWindowActivationCalls::Window;

Window TopLevelOwner(IWindowActivationCalls& calls, Window window) {
    while (Window owner = calls.GetOwner(window)) {
        window = owner;
    }
    return window;
}

namespace {

// A dialog the target owns may take the front in its place; that counts.
bool IsInFront(IWindowActivationCalls& calls, Window target) {
    const Window foreground = calls.GetForegroundWindow();
    return foreground != nullptr && TopLevelOwner(calls, foreground) == target;
}

// The platform lets a thread that shares the foreground thread's input
// state change the foreground. A hung foreground window would make the
// attached input wait on it, so it is never joined.
void RaiseWithJoinedInput(IWindowActivationCalls& calls, Window target) {
    const Window foreground = calls.GetForegroundWindow();
    const std::uint32_t ownThread = calls.GetCurrentThreadId();
    std::uint32_t foregroundThread = 0;
    if (foreground != nullptr && !calls.IsHungAppWindow(foreground)) {
        foregroundThread = calls.GetWindowThreadId(foreground);
    }
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
        calls.ShowNormal(target);
    }
    calls.SetForegroundWindow(target);
    calls.SetActiveWindow(target);
    calls.SetFocus(target);
    if (IsInFront(calls, target)) {
        return true;
    }
    RaiseWithJoinedInput(calls, target);
    if (IsInFront(calls, target)) {
        return true;
    }
    // Input of our own makes us the process that had the last input event,
    // which the platform accepts for a foreground change. Alt would do the
    // same but opens menus and would let go of an Alt the user holds.
    calls.TapUnassignedKey();
    calls.SetForegroundWindow(target);
    return IsInFront(calls, target);
}
