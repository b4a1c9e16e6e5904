#pragma once
#include "DesktopWindows.h"

#include <cstdint>

// The calls that bringing a window to the front is made of, beside what the
// desktop tells about its windows, as a seam so that the fallback order can
// be tested without a desktop.
class IWindowActivationCalls : public IDesktopWindows {
public:
    // Restores a minimised window to the size it had, maximised or not,
    // without waiting for its thread.
    virtual void RestoreAsync(Window window) = 0;
    virtual bool SetForegroundWindow(Window window) = 0;
    virtual void SetActiveWindow(Window window) = 0;
    virtual void SetFocus(Window window) = 0;
    virtual bool BringWindowToTop(Window window) = 0;

    virtual std::uint32_t GetCurrentThreadId() = 0;
    virtual bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) = 0;

    // One press and release of a virtual key that no application reacts to
    // (kUnassignedVirtualKey): the platform then counts this program as
    // having had the last input.
    virtual void TapUnassignedKey() = 0;
};
