#include "BuildDate.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(BuildDate, EveryMonthGetsItsNumber) {
    const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) {
        char compilerDate[16];
        std::snprintf(compilerDate, sizeof compilerDate, "%s 15 2026", months[i]);
        char expected[16];
        std::snprintf(expected, sizeof expected, "2026/%02d/15", i + 1);
        EXPECT_EQ(BuildDateTextFrom(compilerDate), expected) << months[i];
    }
}

TEST(BuildDate, DaysBelowTenArePaddedWithAZero) {
    EXPECT_EQ(BuildDateTextFrom("Jun  7 2010"), "2010/06/07");
    EXPECT_EQ(BuildDateTextFrom("Dec  1 2026"), "2026/12/01");
}

TEST(BuildDate, AnUnknownOrShortMonthPrintsAsMinusOne) {
    EXPECT_EQ(BuildDateTextFrom("jun  7 2010"), "2010/-1/07"); // letter case counts
    EXPECT_EQ(BuildDateTextFrom("Ju  7 2010"), "2010/-1/07");
    EXPECT_EQ(BuildDateTextFrom("Junk  7 2010"), "2010/06/07"); // first three letters
}

TEST(BuildDate, ThisBuildsDateIsWellFormed) {
    const std::string text = GetBuildDateText();
    ASSERT_EQ(text.size(), 10u) << text;
    EXPECT_EQ(text[4], '/');
    EXPECT_EQ(text[7], '/');
    EXPECT_EQ(text.find('-'), std::string::npos) << text;
}
