#pragma once
#include "DesktopWindows.h"

#include <cstdint>
#include <functional>
#include <vector>

// How the application switcher (Alt+Tab) would show a window.
enum class SwitcherPlace {
    NotShown,
    OtherDesktop,
    CurrentDesktop,
};

// The one rule for which windows stand for a running application, used by
// the activation and the application picker alike: visible, not cloaked,
// not a tool window, not the desktop, and unowned or marked as an
// application window; of a family whose owner is hidden (programs that keep
// an invisible window as everybody's owner, this one included), the window
// that was active last. A window cloaked because it is on another virtual
// desktop is shown there.
SwitcherPlace PlaceInSwitcher(IDesktopWindows& desktop, IDesktopWindows::Window window);

// The process an application window belongs to: for a Store app's frame the
// process of the app's core window (0 when it cannot be found, for the frame
// host stands for every Store app), for any other window its own process.
std::uint32_t AppProcessId(IDesktopWindows& desktop, IDesktopWindows::Window window);

struct AppWindow {
    IDesktopWindows::Window window;
    std::uint32_t processId;
    SwitcherPlace place;
};

// The windows the switcher shows, from the top of the Z order down, each with
// its application's process (windows whose application cannot be told are
// left out).
std::vector<AppWindow> ListAppWindows(IDesktopWindows& desktop);

// The topmost application window whose process `isWanted` accepts, one on
// the current virtual desktop before any on another; null when there is none.
IDesktopWindows::Window FindAppWindow(IDesktopWindows& desktop,
                                      const std::function<bool(std::uint32_t)>& isWanted);
