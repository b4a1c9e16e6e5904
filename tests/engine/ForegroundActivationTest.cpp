#include "ForegroundActivation.h"

#include "StringUtil.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
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

// A desktop whose foreground switch is refused a given number of times; it
// writes down every call that changes something.
class RefusingDesktop : public IWindowActivationCalls {
public:
    int refusals = 0;
    bool attachWorks = true;
    Window foreground = kOther;
    // Where a granted switch to the target really lands.
    Window landsOn = kTarget;
    std::set<Window> iconic;
    std::set<Window> unresponsive;
    std::map<Window, Window> owners{{kTargetDialog, kTarget}};
    std::vector<std::string> log;

    bool IsIconic(Window window) override { return iconic.count(window) != 0; }
    // ShowWindowAsync only posts the change to the window's thread
    // (learn.microsoft.com, "ShowWindowAsync function"), so it never waits on
    // the target; SW_RESTORE brings a window minimised from maximised back
    // maximised ("ShowWindow function").
    void RestoreAsync(Window window) override {
        iconic.erase(window);
        Note("restore", window);
    }
    bool SetForegroundWindow(Window window) override {
        Note("foreground", window);
        if (refusals > 0) {
            --refusals;
            return false;
        }
        foreground = window == kTarget ? landsOn : window;
        return true;
    }
    void SetActiveWindow(Window window) override { Note("active", window); }
    void SetFocus(Window window) override { Note("focus", window); }
    bool BringWindowToTop(Window window) override {
        Note("top", window);
        return true;
    }
    Window GetForegroundWindow() override { return foreground; }
    Window GetOwner(Window window) override {
        const auto owner = owners.find(window);
        return owner == owners.end() ? nullptr : owner->second;
    }
    // A busy or hung thread does not take the probing message in time
    // (learn.microsoft.com, "SendMessageTimeout function").
    bool IsResponsive(Window window) override { return unresponsive.count(window) == 0; }
    std::uint32_t GetWindowThreadId(Window window) override {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window) * 10);
    }
    std::uint32_t GetCurrentThreadId() override { return kOwnThread; }
    bool AttachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override {
        log.push_back(Format("%s %u %u", attach ? "attach" : "detach", thread, toThread));
        return attachWorks;
    }
    void TapUnassignedKey() override { log.push_back("tap"); }

private:
    void Note(const char* call, Window window) {
        log.push_back(
            Format("%s %u", call, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window))));
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
    RefusingDesktop desktop;
    desktop.iconic.insert(kTarget);
    EXPECT_TRUE(BringWindowToFront(desktop, kTarget));
    EXPECT_EQ(desktop.log, Joined({{"restore 1"}, kFourCalls}));
}

TEST(ForegroundActivation, TheTapComesBeforeJoiningInputAndTheFirstThatWorksEnds) {
    RefusingDesktop once;
    once.refusals = 1;
    EXPECT_TRUE(BringWindowToFront(once, kTarget));
    EXPECT_EQ(once.log, Joined({kFourCalls, kTap}));

    RefusingDesktop twice;
    twice.refusals = 2;
    EXPECT_TRUE(BringWindowToFront(twice, kTarget));
    EXPECT_EQ(twice.log, Joined({kFourCalls, kTap, kJoinedInput}));

    RefusingDesktop always;
    always.refusals = 99;
    EXPECT_FALSE(BringWindowToFront(always, kTarget));
    EXPECT_EQ(always.log, Joined({kFourCalls, kTap, kJoinedInput}))
        << "one unassigned key tap and nothing else is ever injected";
}

TEST(ForegroundActivation, InputIsJoinedOnlyWhenBothWindowsAnswer) {
    for (Window busy : {kOther, kTarget}) {
        RefusingDesktop desktop;
        desktop.refusals = 2;
        desktop.unresponsive.insert(busy);
        EXPECT_FALSE(BringWindowToFront(desktop, kTarget));
        EXPECT_EQ(desktop.log, Joined({kFourCalls, kTap}));
    }
}

TEST(ForegroundActivation, AFailedJoinIsNotUndoneAndNoForegroundMeansNoJoin) {
    RefusingDesktop failedJoin;
    failedJoin.refusals = 2;
    failedJoin.attachWorks = false;
    EXPECT_TRUE(BringWindowToFront(failedJoin, kTarget));
    EXPECT_EQ(failedJoin.log,
              Joined({kFourCalls, kTap, {"attach 10 20", "top 1", "foreground 1"}}));

    RefusingDesktop empty;
    empty.refusals = 2;
    empty.foreground = nullptr;
    EXPECT_FALSE(BringWindowToFront(empty, kTarget));
    EXPECT_EQ(empty.log, Joined({kFourCalls, kTap}));
}

TEST(ForegroundActivation, ADialogOfTheTargetInFrontCountsAsSuccess) {
    RefusingDesktop desktop;
    desktop.landsOn = kTargetDialog;
    EXPECT_TRUE(BringWindowToFront(desktop, kTarget));
    EXPECT_EQ(desktop.log, kFourCalls);
}
