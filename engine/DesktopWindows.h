#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the desktop tells about its windows, as a seam, so that the choice
// of an application's window and the way it is brought to the front can be
// tested without a desktop. A window is an opaque handle; null is no window.
class IDesktopWindows {
public:
    using Window = void*;

    virtual ~IDesktopWindows() = default;

    // Every top-level window, from the top of the Z order down.
    virtual std::vector<Window> TopLevelWindows() = 0;
    virtual bool IsVisible(Window window) = 0;
    // Visible, yet not drawn: on another virtual desktop, a Store app's
    // frame while the app is suspended or closing, and the like.
    virtual bool IsCloaked(Window window) = 0;
    // False only when the window is known to be on another virtual desktop.
    virtual bool IsOnCurrentDesktop(Window window) = 0;
    virtual bool IsToolWindow(Window window) = 0;
    // Marked to have a taskbar button even though owned.
    virtual bool IsAppWindow(Window window) = 0;
    virtual bool IsIconic(Window window) = 0;
    // The window's owner; null for a window without one.
    virtual Window GetOwner(Window window) = 0;
    // The window of the owner's family that was active last (the owner
    // itself when none of its owned windows was).
    virtual Window LastActivePopup(Window owner) = 0;
    // The desktop itself (the shell's window behind all others).
    virtual bool IsShellWindow(Window window) = 0;
    virtual Window GetForegroundWindow() = 0;
    // The process that created the window; 0 when it cannot be told.
    virtual std::uint32_t ProcessId(Window window) = 0;
    // The thread that created the window; 0 when it cannot be told.
    virtual std::uint32_t GetWindowThreadId(Window window) = 0;
    // Not hung, and its thread takes a message within a short time.
    virtual bool IsResponsive(Window window) = 0;

    // Store apps: their top-level window is a frame of the frame host
    // process; the app itself draws into a core window of its own process,
    // a child of the frame, or a top-level window of its own while the app
    // is minimised.
    virtual bool IsStoreAppFrame(Window window) = 0;
    virtual std::vector<Window> ChildWindows(Window window) = 0;
    // The top-level core window whose title is the frame's; null if none.
    virtual Window DetachedCoreWindow(Window frame) = 0;
};
