#include "ConfirmedReleases.h"
#include "TestDesktop.h"

#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct KeyUp {
    HWND window;
    WPARAM virtualKey;
};
std::vector<KeyUp> g_keyUps;
CConfirmedReleases* g_releases = nullptr;

LRESULT CALLBACK RecordKeyUps(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_releases != nullptr && g_releases->OnMessage(message, wParam)) {
        return 0;
    }
    if (message == WM_KEYUP) {
        g_keyUps.push_back({window, wParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Wine knows no integrity levels and drops nothing, so the key state is the
// one piece faked here: 'A' keeps reading down, as it does on Windows after
// its release was dropped for an elevated window (SendInput documentation:
// blocked by UIPI without telling).
class DroppedReleaseOfA : public IKeyboardState {
public:
    bool stuck = true;
    bool IsDown(std::uint8_t virtualKey) override { return stuck && virtualKey == 'A'; }
};

} // namespace

TEST(ConfirmedReleases, ADroppedReleaseGoesAgainToTheFocusedWindowOnUnlockAndIsToldOnce) {
    CTestWindow first("sq releases first", RecordKeyUps);
    CTestWindow second("sq releases second", RecordKeyUps);
    ASSERT_TRUE(first.TakeFocus());
    PumpUntil([] { return false; }, 100);

    DroppedReleaseOfA keyboard;
    std::vector<std::string> told;
    CConfirmedReleases releases(
        keyboard, [] { return true; },
        [&](const std::string& text, bool warning) {
            EXPECT_TRUE(warning);
            told.push_back(text);
        });
    g_releases = &releases;
    releases.Attach(first.Get());
    g_keyUps.clear();

    const KeyStrokeEvent press{'A', false, false};
    const KeyStrokeEvent release{'A', true, false};
    releases.Send(&press, 1);
    releases.Send(&release, 1);
    ASSERT_TRUE(PumpUntil([] { return !g_keyUps.empty(); }));
    PumpUntil([] { return false; }, 400); // past the confirmation
    EXPECT_TRUE(releases.Pending().IsPending('A')) << "still reads down";
    g_keyUps.clear();

    // Wine raises no foreground event for an out-of-context hook, so the
    // user's return is shown by the other notice that brings it: the unlock.
    ASSERT_TRUE(second.TakeFocus());
    PostMessageA(first.Get(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_TRUE(PumpUntil([&] {
        for (const KeyUp& up : g_keyUps) {
            if (up.window == second.Get() && up.virtualKey == 'A') {
                return true;
            }
        }
        return false;
    })) << "the release was not sent again to the new foreground window ";

    keyboard.stuck = false; // it arrived
    PumpUntil([] { return false; }, 400);
    EXPECT_TRUE(releases.Pending().IsEmpty());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], CConfirmedReleases::kText);

    releases.Detach();
    g_releases = nullptr;
}

TEST(ConfirmedReleases, AReleaseSentAgainGoesInTheSameBatchAsTheNextEvents) {
    DroppedReleaseOfA keyboard;
    std::vector<std::string> batches;
    CConfirmedReleases releases(
        keyboard, [] { return false; }, nullptr, [&](const KeyStrokeEvent* events, int count) {
            std::string batch;
            for (int i = 0; i < count; ++i) {
                batch += std::string(events[i].keyUp ? "^" : "v") +
                         static_cast<char>(events[i].virtualKey) + " ";
            }
            batches.push_back(batch);
            return true;
        });
    const KeyStrokeEvent pressA{'A', false, false};
    const KeyStrokeEvent releaseA{'A', true, false};
    const KeyStrokeEvent pressB{'B', false, false};
    releases.Send(&pressA, 1);
    releases.Send(&releaseA, 1);
    releases.Send(&pressB, 1);
    EXPECT_EQ(batches, (std::vector<std::string>{"vA ", "^A ", "^A vB "}));
}
