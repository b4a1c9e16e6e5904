#include "TestDesktop.h"
#include "HeldKeys.h"
#include "Win32EngineActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int g_keyDowns = 0;

LRESULT CALLBACK CountKeyDowns(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == 'A') {
        ++g_keyDowns;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Tokens as a program below an elevated foreground window meets them: the
// foreground's token may not be opened.
class ElevatedForeground : public IProcessIntegrity {
public:
    std::uint32_t ForegroundProcessId() override { return 4711; }
    IntegrityQuery QueryProcess(std::uint32_t) override {
        IntegrityQuery query;
        query.status = IntegrityQuery::AccessDenied;
        return query;
    }
    IntegrityQuery QueryOwnProcess() override {
        IntegrityQuery query;
        query.status = IntegrityQuery::Read;
        query.level = 0x2000;
        return query;
    }
};

} // namespace

TEST(ElevatedTargetStroke, TellsOnceAndStillSendsEveryStroke) {
    CTestWindow window("sq engine elevated test", CountKeyDowns);
    ASSERT_TRUE(window.TakeFocus());
    PumpUntil([] { return false; }, 100);
    g_keyDowns = 0;

    ElevatedForeground tokens;
    CWin32EngineActions actions(tokens);
    std::vector<std::string> told;
    actions.SetUserNotice([&](const std::string& text, bool warning) {
        EXPECT_TRUE(warning);
        told.push_back(text);
    });
    for (int i = 0; i < 3; ++i) {
        actions.Strike(KeyTarget('A'), 0, 1, CHeldKeys());
    }
    EXPECT_TRUE(PumpUntil([] { return g_keyDowns >= 3; }));
    EXPECT_EQ(g_keyDowns, 3);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], CElevatedTargetCheck::kText);
}
