#pragma once
#include <cstdint>

// The window calls that bringing a window to the front is made of, as a seam
// so that the fallback order can be tested without a desktop. A window is an
// opaque handle; null is no window.
class IWindowActivationCalls {
public:
    using Window = void*;

    virtual ~IWindowActivationCalls() = default;

    virtual bool IsIconic(Window window) = 0;
    // Restores a minimised window to the size it had, maximised or not,
    // without waiting for its thread.
    virtual void RestoreAsync(Window window) = 0;
    virtual bool SetForegroundWindow(Window window) = 0;
    virtual void SetActiveWindow(Window window) = 0;
    virtual void SetFocus(Window window) = 0;
    virtual bool BringWindowToTop(Window window) = 0;

    virtual Window GetForegroundWindow() = 0;
    // The window's owner; null for a window without one.
    virtual Window GetOwner(Window window) = 0;
    // Not hung, and its thread takes a message within a short time.
    virtual bool IsResponsive(Window window) = 0;
    // The thread that created the window; 0 when it cannot be told.
    virtual std::uint32_t GetWindowThreadId(Window window) = 0;
    virtual std::uint32_t GetCurrentThreadId() = 0;
    virtual bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) = 0;

    // One press and release of a virtual key that no application reacts to
    // (kUnassignedVirtualKey): the platform then counts this program as
    // having had the last input.
    virtual void TapUnassignedKey() = 0;
};
