#pragma once
#include "DesktopWindows.h"

#include <windows.h>

struct IVirtualDesktops;

// The top-level windows of the Windows desktop. The virtual-desktop service
// is asked only about cloaked windows, and bound (with COM for this thread)
// the first time that happens; where it is missing, every window counts as
// on the current desktop.
class CWin32DesktopWindows : public IDesktopWindows {
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
    Window GetOwner(Window window) override;
    Window LastActivePopup(Window owner) override;
    bool IsShellWindow(Window window) override;
    std::uint32_t ProcessId(Window window) override;
    bool IsStoreAppFrame(Window window) override;
    std::vector<Window> ChildWindows(Window window) override;
    Window DetachedCoreWindow(Window frame) override;

private:
    IVirtualDesktops* VirtualDesktops();

    bool m_desktopsBound = false;
    bool m_comInitialised = false;
    IVirtualDesktops* m_desktops = nullptr;
};
