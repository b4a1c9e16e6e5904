#include "KeyboardState.h"
#include "PendingReleases.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The system's key state as injected input and the user's fingers make it.
// SendInput: "This function fails when it is blocked by UIPI. Note that
// neither GetLastError nor the return value will indicate the failure was
// caused by UIPI blocking." (learn.microsoft.com, SendInput function): input
// sent while an elevated window is in front is dropped whole and the key
// state does not change. GetAsyncKeyState reads a key down whoever holds it.
class FakeDesktop : public IKeyboardState {
public:
    bool elevatedInFront = false;
    std::set<std::uint8_t> injectedDown;
    std::set<std::uint8_t> userHolds;

    bool IsDown(std::uint8_t vk) override {
        return injectedDown.count(vk) != 0 || userHolds.count(vk) != 0;
    }
    void Inject(const KeyStrokeEvent* events, int count) {
        if (elevatedInFront) {
            return;
        }
        for (int i = 0; i < count; ++i) {
            if (events[i].keyUp) {
                injectedDown.erase(events[i].virtualKey);
                userHolds.erase(events[i].virtualKey); // the system sees it up
            } else {
                injectedDown.insert(events[i].virtualKey);
            }
        }
    }
};

constexpr std::uint8_t kRightCtrl = 0xA3; // sent with the extended flag

KeyStrokeEvent Down(std::uint8_t vk) {
    return KeyStrokeEvent{vk, false, false};
}
KeyStrokeEvent Up(std::uint8_t vk, bool extended = false) {
    return KeyStrokeEvent{vk, true, extended};
}

class PendingReleasesTest : public ::testing::Test {
protected:
    FakeDesktop desktop;
    CPendingReleases pending;
    std::vector<KeyStrokeEvent> resent;

    // As the actions send a batch of held keys: resends first, then the batch.
    void Send(std::vector<KeyStrokeEvent> batch) {
        CPendingReleases::ResendEvents resend;
        const int count =
            pending.BeforeBatch(batch.data(), static_cast<int>(batch.size()), desktop, resend);
        Deliver(resend, count);
        desktop.Inject(batch.data(), static_cast<int>(batch.size()));
        pending.AfterBatch(batch.data(), static_cast<int>(batch.size()));
    }
    // A foreground change or an unlock.
    void Retry() {
        CPendingReleases::ResendEvents resend;
        Deliver(resend, pending.Retry(desktop, resend));
    }
    void Deliver(const KeyStrokeEvent* events, int count) {
        resent.assign(events, events + count);
        desktop.Inject(events, count);
    }
    // Pedal down in an ordinary window, up while an elevated one is in front.
    void ReleaseBehindElevatedWindow(std::uint8_t vk) {
        Send({KeyStrokeEvent{vk, false, vk == kRightCtrl}});
        desktop.elevatedInFront = true;
        Send({Up(vk, vk == kRightCtrl)});
    }
};

} // namespace

TEST_F(PendingReleasesTest, ADeliveredReleaseIsForgottenOnceTheKeyReadsUp) {
    Send({Down(0x11), Down('A')});
    Send({Up('A'), Up(0x11)});
    EXPECT_TRUE(pending.IsPending('A')) << "not known to have arrived yet";
    pending.Confirm(desktop);
    EXPECT_TRUE(pending.IsEmpty());
    Retry();
    EXPECT_TRUE(resent.empty());
}

TEST_F(PendingReleasesTest, ADroppedReleaseIsSentAgainWhenTheForegroundChanges) {
    ReleaseBehindElevatedWindow('A');
    pending.Confirm(desktop);
    EXPECT_TRUE(desktop.IsDown('A'));
    EXPECT_TRUE(pending.IsPending('A')) << "still down: not forgotten";

    Retry(); // still in front: dropped again, still pending
    ASSERT_EQ(resent.size(), 1u);
    EXPECT_TRUE(pending.IsPending('A'));

    desktop.elevatedInFront = false; // the user comes back (or unlocks)
    Retry();
    ASSERT_EQ(resent.size(), 1u);
    EXPECT_EQ(resent[0].virtualKey, 'A');
    EXPECT_TRUE(resent[0].keyUp);
    EXPECT_FALSE(desktop.IsDown('A'));
    Retry();
    EXPECT_TRUE(resent.empty());
    EXPECT_TRUE(pending.IsEmpty());
}

TEST_F(PendingReleasesTest, TheNextBatchSendsItAgainFirst) {
    ReleaseBehindElevatedWindow(kRightCtrl);
    desktop.elevatedInFront = false;
    Send({Down('B')});
    ASSERT_EQ(resent.size(), 1u);
    EXPECT_EQ(resent[0].virtualKey, kRightCtrl);
    EXPECT_TRUE(resent[0].extended) << "sent again exactly as the first time";
    EXPECT_FALSE(desktop.IsDown(kRightCtrl));
    EXPECT_TRUE(desktop.IsDown('B')) << "the new hold stays down";
}

TEST_F(PendingReleasesTest, AKeyPressedAgainByTheProgramIsNoLongerPending) {
    ReleaseBehindElevatedWindow('A');
    desktop.elevatedInFront = false;
    Send({Down('A')}); // a new hold of the same key
    EXPECT_TRUE(resent.empty()) << "not released under the new hold";
    EXPECT_FALSE(pending.IsPending('A'));
    Retry();
    EXPECT_TRUE(desktop.IsDown('A'));
}

TEST_F(PendingReleasesTest, KeysTheUserHoldsAreNeverReleasedForHim) {
    desktop.userHolds = {0x10, 'C'};
    Send({Down('A')});
    Send({Up('A')});
    pending.Confirm(desktop);
    Retry();
    EXPECT_TRUE(resent.empty());
    EXPECT_TRUE(desktop.IsDown(0x10));
    EXPECT_TRUE(desktop.IsDown('C'));
}

TEST_F(PendingReleasesTest, TellsOncePerStuckEpisode) {
    ReleaseBehindElevatedWindow('A');
    EXPECT_TRUE(pending.ShouldTell(true));
    Retry();
    EXPECT_FALSE(pending.ShouldTell(true)) << "not once per retry";
    ReleaseBehindElevatedWindow('B');
    EXPECT_FALSE(pending.ShouldTell(true)) << "the same episode";

    desktop.elevatedInFront = false;
    Retry();
    pending.Confirm(desktop);
    ASSERT_TRUE(pending.IsEmpty());
    ReleaseBehindElevatedWindow('A');
    EXPECT_TRUE(pending.ShouldTell(true)) << "a new episode";
}

TEST_F(PendingReleasesTest, NothingIsToldForAnOrdinaryWindowOrWithNothingPending) {
    EXPECT_FALSE(pending.ShouldTell(true));
    Send({Down('A')});
    Send({Up('A')});
    EXPECT_FALSE(pending.ShouldTell(false));
}
