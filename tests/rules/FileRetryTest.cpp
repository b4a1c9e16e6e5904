#include "FileRetry.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

// A file another program holds for a while: a scanner or indexer that opened
// it without sharing makes every try fail as locked until it lets go
// (support.microsoft.com KB 316609); then the operation works, or fails for
// a reason of its own.
struct HeldFile {
    explicit HeldFile(int locked, FileTry then = FileTry::Done)
        : lockedTries(locked), afterwards(then) {}

    int lockedTries;
    FileTry afterwards;
    int tries = 0;
    std::vector<unsigned> pauses;

    bool Run() {
        return RetryWhileLocked(
            [this] { return ++tries <= lockedTries ? FileTry::Locked : afterwards; },
            [this](unsigned ms) { pauses.push_back(ms); });
    }
    unsigned Waited() const { return std::accumulate(pauses.begin(), pauses.end(), 0u); }
};

} // namespace

TEST(FileRetry, AShortLockIsWaitedOut) {
    HeldFile free{0};
    EXPECT_TRUE(free.Run());
    EXPECT_EQ(free.tries, 1);
    EXPECT_TRUE(free.pauses.empty());

    HeldFile held{3};
    EXPECT_TRUE(held.Run());
    EXPECT_EQ(held.tries, 4);
    EXPECT_LT(held.Waited(), 250u);
}

TEST(FileRetry, ALockPastHalfASecondFailsAndAnyOtherErrorFailsAtOnce) {
    HeldFile stuck{1000};
    EXPECT_FALSE(stuck.Run());
    EXPECT_GE(stuck.Waited(), 400u);
    EXPECT_LE(stuck.Waited(), 600u);
    EXPECT_LE(stuck.tries, 10);

    HeldFile broken{0, FileTry::Failed};
    EXPECT_FALSE(broken.Run());
    EXPECT_EQ(broken.tries, 1);

    HeldFile lockedThenBroken{2, FileTry::Failed};
    EXPECT_FALSE(lockedThenBroken.Run());
    EXPECT_EQ(lockedThenBroken.tries, 3);
}
