// The message-only window of the launcher, the stroke timer and the first
// copy: found among the message-only windows by its class, its messages
// handed over until it goes.
#include "MessageOnlyWindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr char kClass[] = "SorbelquintaroTest.MessageOnly";
constexpr UINT kPing = WM_APP + 30;

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

} // namespace

TEST(MessageOnlyWindow, TakesPostedMessagesUntilItGoesAndIsFoundAmongMessageOnlyWindows) {
    std::vector<WPARAM> pings;
    CMessageOnlyWindow window;
    ASSERT_TRUE(window.Create(kClass, [&](UINT message, WPARAM wParam, LPARAM) {
        if (message != kPing) {
            return false;
        }
        pings.push_back(wParam);
        return true;
    }));
    // Windows' FindWindow leaves message-only windows out (learn.microsoft.com,
    // "Window Features": message-only windows are not enumerated); Wine 8's
    // finds them, so only the search among message-only windows is checked.
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, kClass, nullptr), window.Handle());

    ASSERT_TRUE(PostMessageA(window.Handle(), kPing, 1, 0));
    PumpPending();
    EXPECT_EQ(pings, std::vector<WPARAM>{1});

    // A message still queued when it goes reaches nobody.
    ASSERT_TRUE(PostMessageA(window.Handle(), kPing, 2, 0));
    const HWND gone = window.Handle();
    window.Destroy();
    PumpPending();
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(pings, std::vector<WPARAM>{1});

    // Made again under the same class, as the first copy's window is.
    EXPECT_TRUE(window.Create(kClass, [](UINT, WPARAM, LPARAM) { return false; }));
}

TEST(MessageOnlyWindow, AHandlerMayDestroyItsOwnWindow) {
    CMessageOnlyWindow window;
    int calls = 0;
    ASSERT_TRUE(window.Create(kClass, [&](UINT message, WPARAM, LPARAM) {
        if (message != kPing) {
            return false;
        }
        ++calls;
        window.Destroy();
        return true;
    }));
    ASSERT_TRUE(PostMessageA(window.Handle(), kPing, 0, 0));
    PumpPending();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(window.Handle(), nullptr);
}
