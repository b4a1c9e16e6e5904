#include "AppWindows.h"

#include "FakeDesktopWindows.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Window = IDesktopWindows::Window;

using FakeDesktop = FakeDesktopWindows;

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
