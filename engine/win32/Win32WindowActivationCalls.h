#pragma once
#include "WindowActivationCalls.h"

// The window calls of an activation on the Windows desktop.
class CWin32WindowActivationCalls : public IWindowActivationCalls {
public:
    bool IsIconic(Window window) override;
    void RestoreAsync(Window window) override;
    bool SetForegroundWindow(Window window) override;
    void SetActiveWindow(Window window) override;
    void SetFocus(Window window) override;
    bool BringWindowToTop(Window window) override;
    Window GetForegroundWindow() override;
    Window GetOwner(Window window) override;
    bool IsResponsive(Window window) override;
    std::uint32_t GetWindowThreadId(Window window) override;
    std::uint32_t GetCurrentThreadId() override;
    bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override;
    void TapUnassignedKey() override;
};
