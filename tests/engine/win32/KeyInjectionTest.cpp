#include "TestDesktop.h"
#include "HeldKeys.h"
#include "Win32EngineActions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct KeyMessage {
    bool down;
    WPARAM virtualKey;
    LPARAM lParam;
    bool ctrl, shift, alt;

    UINT ScanCode() const { return (static_cast<UINT>(lParam) >> 16) & 0xFF; }
    bool Extended() const { return (lParam & (1 << 24)) != 0; }
    bool Released() const { return (static_cast<UINT>(lParam) & 0x80000000u) != 0; }
};

std::vector<KeyMessage> g_keys;

bool IsDown(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

LRESULT CALLBACK RecordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        g_keys.push_back({message == WM_KEYDOWN || message == WM_SYSKEYDOWN, wParam, lParam,
                          IsDown(VK_CONTROL), IsDown(VK_SHIFT), IsDown(VK_MENU)});
        // Not handed on: a released Alt must not open the system menu.
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class KeyInjectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Get(), nullptr);
        ASSERT_TRUE(window.TakeFocus()) << "the test window could not take the focus";
        PumpUntil([] { return false; }, 100);
        g_keys.clear();
    }
    std::vector<KeyMessage> Strike(BYTE keyCode, BYTE keyFlag, std::size_t expected) {
        CWin32EngineActions().Strike(KeyTarget(keyCode), keyFlag, 1, CHeldKeys());
        PumpUntil([&] { return g_keys.size() >= expected; });
        PumpUntil([] { return false; }, 100); // anything beyond is a fault too
        return g_keys;
    }

    CTestWindow window{"sq engine key test", RecordKeys};
};

} // namespace

TEST_F(KeyInjectionTest, CtrlShiftAltStrokeArrivesInOrderWithTheModifiersHeld) {
    const std::vector<KeyMessage> keys = Strike('A', 7, 8);
    ASSERT_EQ(keys.size(), 8u);
    const WPARAM order[] = {VK_CONTROL, VK_SHIFT, VK_MENU, 'A', 'A', VK_MENU, VK_SHIFT, VK_CONTROL};
    const bool down[] = {true, true, true, true, false, false, false, false};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(keys[i].virtualKey, order[i]) << "message " << i;
        EXPECT_EQ(keys[i].down, down[i]) << "message " << i;
        EXPECT_EQ(keys[i].Released(), !down[i]) << "message " << i;
        EXPECT_EQ(keys[i].ScanCode(), MapVirtualKeyA(static_cast<UINT>(order[i]), MAPVK_VK_TO_VSC))
            << "message " << i;
        EXPECT_FALSE(keys[i].Extended()) << "message " << i;
    }
    // The key itself arrives with all three modifiers held.
    EXPECT_TRUE(keys[3].ctrl && keys[3].shift && keys[3].alt);
    EXPECT_TRUE(keys[4].ctrl && keys[4].shift && keys[4].alt);
    // Each modifier is held from its press to its release and no longer.
    EXPECT_TRUE(keys[0].ctrl);
    EXPECT_FALSE(keys[0].shift);
    EXPECT_TRUE(keys[1].shift);
    EXPECT_FALSE(keys[1].alt);
    EXPECT_FALSE(keys[5].alt);
    EXPECT_TRUE(keys[5].shift);
    EXPECT_FALSE(keys[6].shift);
    EXPECT_TRUE(keys[6].ctrl);
    EXPECT_FALSE(keys[7].ctrl);
    EXPECT_FALSE(IsDown(VK_CONTROL) || IsDown(VK_SHIFT) || IsDown(VK_MENU) || IsDown('A'));
}

TEST_F(KeyInjectionTest, ArrowArrivesAsAnExtendedArrow) {
    const std::vector<KeyMessage> keys = Strike(VK_LEFT, 0, 2);
    ASSERT_EQ(keys.size(), 2u);
    for (const KeyMessage& key : keys) {
        EXPECT_EQ(key.virtualKey, static_cast<WPARAM>(VK_LEFT));
        EXPECT_TRUE(key.Extended());
        EXPECT_EQ(key.ScanCode(), 0x4Bu);
        EXPECT_FALSE(key.ctrl || key.shift || key.alt);
    }
    EXPECT_TRUE(keys[0].down);
    EXPECT_FALSE(keys[1].down);
}

TEST_F(KeyInjectionTest, PlainKeyIsOnePressAndOneRelease) {
    const std::vector<KeyMessage> keys = Strike('Z', 0xF8, 2);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].virtualKey, static_cast<WPARAM>('Z'));
    EXPECT_TRUE(keys[0].down);
    EXPECT_EQ(keys[1].virtualKey, static_cast<WPARAM>('Z'));
    EXPECT_FALSE(keys[1].down);
    EXPECT_FALSE(keys[0].Extended());
}
