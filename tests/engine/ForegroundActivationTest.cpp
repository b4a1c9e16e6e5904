#include "ForegroundActivation.h"

#include "FakeDesktopWindows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Window = IWindowActivationCalls::Window;

Window W(std::uintptr_t id) {
    return reinterpret_cast<Window>(id);
}

const Window kTarget = W(1);
const Window kOther = W(2); // the user's window in front, thread 20
const Window kTargetDialog = W(3);
constexpr std::uint32_t kOwnThread = 10;

// The target, a dialog it owns, and the user's window in front.
class Desktop : public FakeDesktopWindows {
public:
    Desktop() {
        Add(Of(100).OnThread(30));
        Add(Of(200).OnThread(20));
        Add(Of(100).OnThread(30).OwnedBy(kTarget));
        foreground = kOther;
        ownThread = kOwnThread;
    }
};

using Calls = std::vector<std::string>;
const Calls kFourCalls{"foreground 1", "active 1", "focus 1"};
const Calls kJoinedInput{"attach 10 20", "top 1", "foreground 1", "detach 10 20"};
const Calls kTap{"tap", "foreground 1"};

Calls Joined(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(ForegroundActivation, AGrantedSwitchNeedsNoFallbackAndAMinimisedTargetIsRestoredFirst) {
    Desktop desktop;
    desktop.info[kTarget].iconic = true;
    EXPECT_TRUE(BringWindowToFront(desktop, kTarget));
    EXPECT_EQ(desktop.log, Joined({{"restore 1"}, kFourCalls}));
}

TEST(ForegroundActivation, TheTapComesBeforeJoiningInputAndTheFirstThatWorksEnds) {
    Desktop once;
    once.refusals = 1;
    EXPECT_TRUE(BringWindowToFront(once, kTarget));
    EXPECT_EQ(once.log, Joined({kFourCalls, kTap}));

    Desktop twice;
    twice.refusals = 2;
    EXPECT_TRUE(BringWindowToFront(twice, kTarget));
    EXPECT_EQ(twice.log, Joined({kFourCalls, kTap, kJoinedInput}));

    Desktop always;
    always.refusals = 99;
    EXPECT_FALSE(BringWindowToFront(always, kTarget));
    EXPECT_EQ(always.log, Joined({kFourCalls, kTap, kJoinedInput}))
        << "one unassigned key tap and nothing else is ever injected";
}

TEST(ForegroundActivation, InputIsJoinedOnlyWhenBothWindowsAnswer) {
    for (Window busy : {kOther, kTarget}) {
        Desktop desktop;
        desktop.refusals = 2;
        desktop.info[busy].hung = true;
        EXPECT_FALSE(BringWindowToFront(desktop, kTarget));
        EXPECT_EQ(desktop.log, Joined({kFourCalls, kTap}));
    }
}

TEST(ForegroundActivation, AFailedJoinIsNotUndoneAndNoForegroundMeansNoJoin) {
    Desktop failedJoin;
    failedJoin.refusals = 2;
    failedJoin.attachWorks = false;
    EXPECT_TRUE(BringWindowToFront(failedJoin, kTarget));
    EXPECT_EQ(failedJoin.log,
              Joined({kFourCalls, kTap, {"attach 10 20", "top 1", "foreground 1"}}));

    Desktop empty;
    empty.refusals = 2;
    empty.foreground = nullptr;
    EXPECT_FALSE(BringWindowToFront(empty, kTarget));
    EXPECT_EQ(empty.log, Joined({kFourCalls, kTap}));
}

TEST(ForegroundActivation, ADialogOfTheTargetInFrontCountsAsSuccess) {
    Desktop desktop;
    desktop.landsOn[kTarget] = kTargetDialog;
    EXPECT_TRUE(BringWindowToFront(desktop, kTarget));
    EXPECT_EQ(desktop.log, kFourCalls);
}
