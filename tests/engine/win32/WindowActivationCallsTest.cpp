#include "TestDesktop.h"
#include "Win32DesktopWindows.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> g_keyMessages;
std::vector<WPARAM> g_keys;

LRESULT CALLBACK RecordAllKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        g_keyMessages.push_back(message);
        g_keys.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(WindowActivationCalls, TheTapIsOnePressAndReleaseOfTheUnassignedKeyOnly) {
    CTestWindow window("sq engine tap test", RecordAllKeys);
    ASSERT_TRUE(window.TakeFocus());
    PumpUntil([] { return false; }, 100);
    g_keyMessages.clear();
    g_keys.clear();

    CWin32DesktopWindows().TapUnassignedKey();
    PumpUntil([] { return g_keyMessages.size() >= 2; });
    PumpUntil([] { return false; }, 100);

    EXPECT_EQ(g_keyMessages, (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    EXPECT_EQ(g_keys, (std::vector<WPARAM>{0xE8, 0xE8}));
    EXPECT_FALSE(GetKeyState(VK_MENU) & 0x8000);
}
