#include "AppWindows.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Window = IDesktopWindows::Window;

// A desktop of made-up windows. What it answers follows what Windows does:
// - the switcher leaves out tool windows and owned windows not marked as
//   application windows ("Which windows appear in the Alt+Tab list?",
//   devblogs.microsoft.com/oldnewthing, 2007-10-08);
// - windows on another virtual desktop and suspended Store frames are
//   visible yet cloaked (learn.microsoft.com, "DWMWINDOWATTRIBUTE", and
//   "IVirtualDesktopManager::IsWindowOnCurrentVirtualDesktop");
// - a Store app's frame belongs to the frame host, the app's core window is
//   its child of another process (microsoft/PowerToys#1766), and a minimised
//   app's core window is detached from the frame (microsoft/winappCli#691).
class FakeDesktop : public IDesktopWindows {
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

    std::vector<Window> TopLevelWindows() override { return order; }
    bool IsVisible(Window w) override { return Ask(w).visible; }
    bool IsCloaked(Window w) override { return Ask(w).cloaked; }
    bool IsOnCurrentDesktop(Window w) override { return !Ask(w).otherDesktop; }
    bool IsToolWindow(Window w) override { return Ask(w).tool; }
    bool IsAppWindow(Window w) override { return Ask(w).appWindow; }
    Window GetOwner(Window w) override { return Ask(w).owner; }
    Window LastActivePopup(Window w) override {
        return lastActive.count(w) != 0 ? lastActive[w] : w;
    }
    bool IsShellWindow(Window w) override { return Ask(w).shell; }
    std::uint32_t ProcessId(Window w) override { return Ask(w).process; }
    bool IsStoreAppFrame(Window w) override { return Ask(w).storeFrame; }
    std::vector<Window> ChildWindows(Window w) override { return Ask(w).children; }
    Window DetachedCoreWindow(Window w) override { return Ask(w).detachedCore; }

private:
    Window Handle() { return reinterpret_cast<Window>(static_cast<std::uintptr_t>(++m_next)); }
    const Info& Ask(Window w) const { return info.at(w); }
    int m_next = 0;
};

constexpr std::uint32_t kExplorer = 10, kEditor = 20, kFrameHost = 30, kCalculator = 40,
                        kPhotos = 50, kTool = 60;

std::vector<std::uint32_t> Processes(const std::vector<AppWindow>& windows) {
    std::vector<std::uint32_t> ids;
    for (const AppWindow& w : windows) {
        ids.push_back(w.processId);
    }
    return ids;
}

} // namespace

TEST(AppWindows, OnlyWindowsTheSwitcherShowsStandForAnApplication) {
    FakeDesktop desktop;
    desktop.Add(FakeDesktop::Of(kExplorer).Tool()); // the taskbar
    desktop.Add(FakeDesktop::Of(kExplorer).Hidden());
    const Window main = desktop.Add(FakeDesktop::Of(kEditor));
    desktop.Add(FakeDesktop::Of(kEditor).OwnedBy(main)); // its dialog
    desktop.Add(FakeDesktop::Of(kEditor).OwnedBy(main).AppWindow());
    desktop.Add(FakeDesktop::Of(kCalculator).Cloaked()); // suspended, on this desktop
    desktop.Add(FakeDesktop::Of(kExplorer).Shell());
    const Window folder = desktop.Add(FakeDesktop::Of(kExplorer));

    // A program whose windows are all owned by a hidden one of its own:
    // the one active last stands for it.
    const Window host = desktop.Add(FakeDesktop::Of(kTool).Hidden().Tool());
    desktop.Add(FakeDesktop::Of(kTool).OwnedBy(host)); // its main window
    const Window toolDialog = desktop.Add(FakeDesktop::Of(kTool).OwnedBy(host));
    desktop.lastActive[host] = toolDialog;

    const std::vector<AppWindow> shown = ListAppWindows(desktop);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].window, main);
    EXPECT_EQ(shown[2].window, folder);
    EXPECT_EQ(shown[3].window, toolDialog);
    EXPECT_EQ(Processes(shown), (std::vector<std::uint32_t>{kEditor, kEditor, kExplorer, kTool}));
    EXPECT_EQ(FindAppWindow(desktop, [](std::uint32_t p) { return p == kExplorer; }), folder);
    EXPECT_EQ(FindAppWindow(desktop, [](std::uint32_t p) { return p == kCalculator; }), nullptr);
}

TEST(AppWindows, AWindowOnThisDesktopComesBeforeOneHigherUpOnAnother) {
    FakeDesktop desktop;
    const Window elsewhere = desktop.Add(FakeDesktop::Of(kEditor).OnOtherDesktop());
    const Window here = desktop.Add(FakeDesktop::Of(kEditor));
    const auto editor = [](std::uint32_t p) { return p == kEditor; };
    EXPECT_EQ(PlaceInSwitcher(desktop, elsewhere), SwitcherPlace::OtherDesktop);
    EXPECT_EQ(FindAppWindow(desktop, editor), here);

    // With nothing here, the other desktop's window is still the app's.
    desktop.order = {elsewhere};
    EXPECT_EQ(FindAppWindow(desktop, editor), elsewhere);
}

TEST(AppWindows, AStoreAppIsTheProcessOfItsCoreWindowNeverTheFrameHost) {
    FakeDesktop desktop;
    const Window calculator = desktop.Add(FakeDesktop::Of(kFrameHost).StoreFrame());
    desktop.info[calculator].children = {desktop.AddHidden(kFrameHost),
                                         desktop.AddHidden(kCalculator)};
    const Window photos = desktop.Add(FakeDesktop::Of(kFrameHost).StoreFrame()); // minimised
    desktop.info[photos].detachedCore = desktop.AddHidden(kPhotos);
    const Window closing = desktop.Add(FakeDesktop::Of(kFrameHost).StoreFrame()); // no core

    EXPECT_EQ(AppProcessId(desktop, calculator), kCalculator);
    EXPECT_EQ(AppProcessId(desktop, photos), kPhotos);
    EXPECT_EQ(AppProcessId(desktop, closing), 0u);
    EXPECT_EQ(Processes(ListAppWindows(desktop)),
              (std::vector<std::uint32_t>{kCalculator, kPhotos}));
    EXPECT_EQ(FindAppWindow(desktop, [](std::uint32_t p) { return p == kFrameHost; }), nullptr);
    EXPECT_EQ(FindAppWindow(desktop, [](std::uint32_t p) { return p == kPhotos; }), photos);
}
