#pragma once
#include "WindowActivationCalls.h"

#include <windows.h>

struct IVirtualDesktops;

// The windows of the Windows desktop, and the calls that bring one to the
// front. The virtual-desktop service is asked only about cloaked windows,
// and bound (with COM for this thread) the first time that happens; where it
// is missing, every window counts as on the current desktop.
class CWin32DesktopWindows : public IWindowActivationCalls {
public:
    CWin32DesktopWindows() = default;
    ~CWin32DesktopWindows() override;
    CWin32DesktopWindows(const CWin32DesktopWindows&) = delete;
    CWin32DesktopWindows& operator=(const CWin32DesktopWindows&) = delete;

    std::vector<Window> TopLevelWindows() override;
    bool IsVisible(Window window) override;
    bool IsCloaked(Window window) override;
    bool IsOnCurrentDesktop(Window window) override;
    bool IsToolWindow(Window window) override;
    bool IsAppWindow(Window window) override;
    bool IsIconic(Window window) override;
    Window GetOwner(Window window) override;
    Window LastActivePopup(Window owner) override;
    bool IsShellWindow(Window window) override;
    Window GetForegroundWindow() override;
    std::uint32_t ProcessId(Window window) override;
    std::uint32_t GetWindowThreadId(Window window) override;
    bool IsResponsive(Window window) override;
    bool IsStoreAppFrame(Window window) override;
    std::vector<Window> ChildWindows(Window window) override;
    Window DetachedCoreWindow(Window frame) override;

    void RestoreAsync(Window window) override;
    bool SetForegroundWindow(Window window) override;
    void SetActiveWindow(Window window) override;
    void SetFocus(Window window) override;
    bool BringWindowToTop(Window window) override;
    std::uint32_t GetCurrentThreadId() override;
    bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override;
    void TapUnassignedKey() override;

private:
    IVirtualDesktops* VirtualDesktops();

    bool m_desktopsBound = false;
    bool m_comInitialised = false;
    IVirtualDesktops* m_desktops = nullptr;
};
