#pragma once
#include "WindowActivationCalls.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A desktop of made-up windows. What it answers follows what Windows does:
// - the switcher leaves out tool windows and owned windows not marked as
//   application windows ("Which windows appear in the Alt+Tab list?",
//   devblogs.microsoft.com/oldnewthing, 2007-10-08);
// - windows on another virtual desktop and suspended Store frames are
//   visible yet cloaked (learn.microsoft.com, "DWMWINDOWATTRIBUTE", and
//   "IVirtualDesktopManager::IsWindowOnCurrentVirtualDesktop");
// - a Store app's frame belongs to the frame host, the app's core window is
//   its child of another process (microsoft/PowerToys#1766), and a minimised
//   app's core window is detached from the frame (microsoft/winappCli#691);
// - a program not in the foreground is refused the switch
//   (learn.microsoft.com, "SetForegroundWindow function": the conditions of
//   the foreground lock), here a given number of times;
// - ShowWindowAsync only posts the change to the window's thread
//   (learn.microsoft.com, "ShowWindowAsync function"), so it never waits on
//   the target; SW_RESTORE brings a window minimised from maximised back
//   maximised ("ShowWindow function");
// - a busy or hung thread does not take the probing message in time
//   (learn.microsoft.com, "SendMessageTimeout function").
// Every call that changes something is written down.
class FakeDesktopWindows : public IWindowActivationCalls {
public:
    struct Info {
        std::uint32_t process = 0;
        bool visible = true;
        bool cloaked = false;
        bool otherDesktop = false;
        bool tool = false;
        bool appWindow = false;
        Window owner = nullptr;
        bool shell = false;
        bool storeFrame = false;
        std::vector<Window> children;
        Window detachedCore = nullptr;
        bool iconic = false;
        bool hung = false;
        std::uint32_t thread = 0;

        Info& Hidden() {
            visible = false;
            return *this;
        }
        Info& Cloaked() {
            cloaked = true;
            return *this;
        }
        Info& OnOtherDesktop() {
            cloaked = otherDesktop = true;
            return *this;
        }
        Info& Tool() {
            tool = true;
            return *this;
        }
        Info& AppWindow() {
            appWindow = true;
            return *this;
        }
        Info& OwnedBy(Window w) {
            owner = w;
            return *this;
        }
        Info& Shell() {
            shell = true;
            return *this;
        }
        Info& StoreFrame() {
            storeFrame = true;
            return *this;
        }
        Info& OnThread(std::uint32_t id) {
            thread = id;
            return *this;
        }
    };
    static Info Of(std::uint32_t process) {
        Info info;
        info.process = process;
        return info;
    }

    // Top of the Z order first.
    std::vector<Window> order;
    std::map<Window, Info> info;
    // GetLastActivePopup gives the owner itself when none of its owned
    // windows was active since.
    std::map<Window, Window> lastActive;

    Window Add(const Info& window) {
        const Window handle = Handle();
        order.push_back(handle);
        info[handle] = window;
        return handle;
    }
    // A window that is no top-level window (a child, a detached core).
    Window AddHidden(std::uint32_t process) {
        const Window handle = Handle();
        info[handle].process = process;
        return handle;
    }

    // What the activation changes and how the platform answers it.
    Window foreground = nullptr;
    // Foreground switches refused before one is granted.
    int refusals = 0;
    bool attachWorks = true;
    // Where a granted switch to a window really lands (a dialog it owns
    // takes the front in its place); the window itself when not listed.
    std::map<Window, Window> landsOn;
    std::uint32_t ownThread = 1;
    std::vector<std::string> log;

    std::vector<Window> TopLevelWindows() override { return order; }
    bool IsVisible(Window w) override { return Ask(w).visible; }
    bool IsCloaked(Window w) override { return Ask(w).cloaked; }
    bool IsOnCurrentDesktop(Window w) override { return !Ask(w).otherDesktop; }
    bool IsToolWindow(Window w) override { return Ask(w).tool; }
    bool IsAppWindow(Window w) override { return Ask(w).appWindow; }
    bool IsIconic(Window w) override { return Ask(w).iconic; }
    Window GetOwner(Window w) override { return Ask(w).owner; }
    Window LastActivePopup(Window w) override {
        return lastActive.count(w) != 0 ? lastActive[w] : w;
    }
    bool IsShellWindow(Window w) override { return Ask(w).shell; }
    Window GetForegroundWindow() override { return foreground; }
    std::uint32_t ProcessId(Window w) override { return Ask(w).process; }
    std::uint32_t GetWindowThreadId(Window w) override { return Ask(w).thread; }
    bool IsResponsive(Window w) override { return !Ask(w).hung; }
    bool IsStoreAppFrame(Window w) override { return Ask(w).storeFrame; }
    std::vector<Window> ChildWindows(Window w) override { return Ask(w).children; }
    Window DetachedCoreWindow(Window w) override { return Ask(w).detachedCore; }

    void RestoreAsync(Window w) override {
        info.at(w).iconic = false;
        Note("restore", w);
    }
    bool SetForegroundWindow(Window w) override {
        Note("foreground", w);
        if (refusals > 0) {
            --refusals;
            return false;
        }
        foreground = landsOn.count(w) != 0 ? landsOn[w] : w;
        return true;
    }
    void SetActiveWindow(Window w) override { Note("active", w); }
    void SetFocus(Window w) override { Note("focus", w); }
    bool BringWindowToTop(Window w) override {
        Note("top", w);
        return true;
    }
    std::uint32_t GetCurrentThreadId() override { return ownThread; }
    bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override {
        log.push_back(std::string(attach ? "attach " : "detach ") + std::to_string(thread) + " " +
                      std::to_string(toThread));
        return attachWorks;
    }
    void TapUnassignedKey() override { log.push_back("tap"); }

private:
    void Note(const char* call, Window w) {
        log.push_back(std::string(call) + " " +
                      std::to_string(reinterpret_cast<std::uintptr_t>(w)));
    }
    Window Handle() { return reinterpret_cast<Window>(static_cast<std::uintptr_t>(++m_next)); }
    const Info& Ask(Window w) const { return info.at(w); }
    int m_next = 0;
};
