#include "SwitchNoticePlan.h"

#include <gtest/gtest.h>

TEST(SwitchNoticePlan, ShowsEachSwitchThenFadesAndANewOneReplacesIt) {
    CSwitchNoticePlan plan;
    EXPECT_EQ(plan.OpacityAt(0), 0) << "nothing before the first switch";

    ASSERT_TRUE(plan.OnEnabledChanged(false, 1000));
    EXPECT_EQ(plan.Text(), "無効");
    EXPECT_EQ(plan.OpacityAt(1000), CSwitchNoticePlan::kFullOpacity);
    EXPECT_EQ(plan.OpacityAt(1799), CSwitchNoticePlan::kFullOpacity);
    const std::uint8_t fading = plan.OpacityAt(2000);
    EXPECT_GT(fading, 0);
    EXPECT_LT(fading, CSwitchNoticePlan::kFullOpacity);
    EXPECT_LT(plan.OpacityAt(2150), fading);
    EXPECT_EQ(plan.OpacityAt(2200), 0) << "gone after 1.2 s";

    // Switched back while the first still shows: the new text, full again,
    // its own 1.2 s.
    ASSERT_TRUE(plan.OnEnabledChanged(false, 5000));
    ASSERT_TRUE(plan.OnEnabledChanged(true, 5900));
    EXPECT_EQ(plan.Text(), "有効");
    EXPECT_EQ(plan.OpacityAt(6600), CSwitchNoticePlan::kFullOpacity);
    EXPECT_EQ(plan.OpacityAt(7100), 0);
}

TEST(SwitchNoticePlan, TurnedOffShowsNothingAndTakesAwayTheNoticeOnScreen) {
    CSwitchNoticePlan plan;
    ASSERT_TRUE(plan.OnEnabledChanged(true, 0));
    plan.SetWanted(false);
    EXPECT_EQ(plan.OpacityAt(10), 0);
    EXPECT_FALSE(plan.OnEnabledChanged(false, 20));
    EXPECT_EQ(plan.OpacityAt(30), 0);
    plan.SetWanted(true);
    EXPECT_EQ(plan.OpacityAt(40), 0) << "an old switch is not shown late";
    EXPECT_TRUE(plan.OnEnabledChanged(false, 50));
}

TEST(SwitchNoticePlan, TheClockMayWrap) {
    CSwitchNoticePlan plan;
    ASSERT_TRUE(plan.OnEnabledChanged(true, 0xFFFFFF00u));
    EXPECT_EQ(plan.OpacityAt(0x100u), CSwitchNoticePlan::kFullOpacity);
    EXPECT_EQ(plan.OpacityAt(0x100u + 1200), 0);
}
