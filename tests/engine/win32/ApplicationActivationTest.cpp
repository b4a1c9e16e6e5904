#include "TestDesktop.h"
#include "Win32EngineActions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(own.Get(), nullptr);
        ASSERT_FALSE(WindowAppPath().empty());
    }
    // Puts our own window in front, so that a change is visible.
    void FrontOwnWindow() {
        ASSERT_TRUE(own.TakeFocus());
        PumpUntil([] { return false; }, 200);
        ASSERT_EQ(GetForegroundWindow(), own.Get()) << "another window took the front";
    }
    bool Activate(const std::string& exePath, HWND expected) {
        CWin32EngineActions().ActivateApplication(exePath);
        return PumpUntil([&] { return GetForegroundWindow() == expected; });
    }

    CTestWindow own{"sq engine activation test"};
};

// The process's visible top-level windows from the top of the Z order down.
std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    struct Walk {
        DWORD processId;
        std::vector<HWND> windows;
    } walk{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* w = reinterpret_cast<Walk*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == w->processId && IsWindowVisible(window)) {
                w->windows.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.windows;
}

} // namespace

TEST_F(ActivationTest, BringsTheApplicationFrontByItsPathInOtherLetterCase) {
    CWindowAppProcess app("single", "sq activation single");
    ASSERT_TRUE(app.IsRunning());
    const HWND target = app.WaitForWindow("sq activation single");
    ASSERT_NE(target, nullptr);
    FrontOwnWindow();
    EXPECT_TRUE(Activate(SwapLetterCase(WindowAppPath()), target));
}

TEST_F(ActivationTest, RestoresAMinimisedWindowFirst) {
    CWindowAppProcess app("single", "sq activation minimised");
    ASSERT_TRUE(app.IsRunning());
    const HWND target = app.WaitForWindow("sq activation minimised");
    ASSERT_NE(target, nullptr);
    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(target) != FALSE; }));
    FrontOwnWindow();
    EXPECT_TRUE(Activate(WindowAppPath(), target));
    EXPECT_FALSE(IsIconic(target));
}

TEST_F(ActivationTest, UsesOnlyTheTopmostVisibleWindowAndItsOwner) {
    CWindowAppProcess app("family", "sq activation family");
    ASSERT_TRUE(app.IsRunning());
    const HWND hidden = app.WaitForWindow("sq activation family hidden");
    const HWND owned = app.WaitForWindow("sq activation family owned");
    const HWND main = app.WaitForWindow("sq activation family main");
    const HWND lower = app.WaitForWindow("sq activation family lower");
    ASSERT_TRUE(hidden && owned && main && lower);
    ASSERT_EQ(GetWindow(owned, GW_OWNER), main);
    FrontOwnWindow();
    // The owned window is the topmost visible one; the hidden one is above
    // it but must be passed over.
    ASSERT_EQ(VisibleWindowsOf(app.Id()), (std::vector<HWND>{owned, main, lower}));
    ASSERT_FALSE(IsWindowVisible(hidden));

    EXPECT_TRUE(Activate(WindowAppPath(), main));
    EXPECT_FALSE(IsWindowVisible(hidden));
}

TEST_F(ActivationTest, PathOfNoRunningProgramChangesNothing) {
    FrontOwnWindow();
    CWin32EngineActions().ActivateApplication("C:\\no\\such\\program.exe");
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(GetForegroundWindow(), own.Get());
}

TEST_F(ActivationTest, EmptyPathChangesNothing) {
    CWindowAppProcess app("single", "sq activation empty");
    ASSERT_NE(app.WaitForWindow("sq activation empty"), nullptr);
    FrontOwnWindow();
    CWin32EngineActions().ActivateApplication("");
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(GetForegroundWindow(), own.Get());
}
