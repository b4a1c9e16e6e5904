#include "AppWindows.h"

using Window = IDesktopWindows::Window;

SwitcherPlace PlaceInSwitcher(IDesktopWindows& desktop, Window window) {
    if (!desktop.IsVisible(window) || desktop.IsShellWindow(window) ||
        desktop.IsToolWindow(window)) {
        return SwitcherPlace::NotShown;
    }
    // An owned window (a dialog, a palette) stands in the switcher only when
    // it asks to; otherwise its owner does, or, with the owner hidden, the
    // family's window that was active last.
    if (Window owner = desktop.GetOwner(window)) {
        if (!desktop.IsAppWindow(window)) {
            Window root = owner;
            while (Window next = desktop.GetOwner(root)) {
                root = next;
            }
            if (desktop.IsVisible(root) || desktop.LastActivePopup(root) != window) {
                return SwitcherPlace::NotShown;
            }
        }
    }
    if (!desktop.IsCloaked(window)) {
        return SwitcherPlace::CurrentDesktop;
    }
    // Cloaked on this desktop: a suspended Store frame or a window on its
    // way out, nothing the user sees.
    return desktop.IsOnCurrentDesktop(window) ? SwitcherPlace::NotShown
                                              : SwitcherPlace::OtherDesktop;
}

std::uint32_t AppProcessId(IDesktopWindows& desktop, Window window) {
    const std::uint32_t own = desktop.ProcessId(window);
    if (!desktop.IsStoreAppFrame(window)) {
        return own;
    }
    for (Window child : desktop.ChildWindows(window)) {
        const std::uint32_t childProcess = desktop.ProcessId(child);
        if (childProcess != 0 && childProcess != own) {
            return childProcess;
        }
    }
    if (Window core = desktop.DetachedCoreWindow(window)) {
        const std::uint32_t coreProcess = desktop.ProcessId(core);
        if (coreProcess != own) {
            return coreProcess;
        }
    }
    return 0;
}

std::vector<AppWindow> ListAppWindows(IDesktopWindows& desktop) {
    std::vector<AppWindow> shown;
    for (Window window : desktop.TopLevelWindows()) {
        const SwitcherPlace place = PlaceInSwitcher(desktop, window);
        if (place == SwitcherPlace::NotShown) {
            continue;
        }
        const std::uint32_t processId = AppProcessId(desktop, window);
        if (processId != 0) {
            shown.push_back(AppWindow{window, processId, place});
        }
    }
    return shown;
}

Window FindAppWindow(IDesktopWindows& desktop, const std::function<bool(std::uint32_t)>& isWanted) {
    Window elsewhere = nullptr;
    // Walked here rather than listed first: the walk ends at the first
    // match on this desktop, before the rest of the windows are asked about.
    for (Window window : desktop.TopLevelWindows()) {
        const SwitcherPlace place = PlaceInSwitcher(desktop, window);
        if (place == SwitcherPlace::NotShown ||
            (place == SwitcherPlace::OtherDesktop && elsewhere != nullptr)) {
            continue;
        }
        const std::uint32_t processId = AppProcessId(desktop, window);
        if (processId == 0 || !isWanted(processId)) {
            continue;
        }
        if (place == SwitcherPlace::CurrentDesktop) {
            return window;
        }
        elsewhere = window;
    }
    return elsewhere;
}
