#include "ChangeTableItem.h"
#include "PitchBendCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Feed(const std::vector<int>& values) {
    CPitchBendCapture capture;
    std::vector<int> kinds;
    for (int value : values) {
        kinds.push_back(capture.OnValue(value));
    }
    return kinds;
}

constexpr int kNone = CPitchBendCapture::kNone;
constexpr int kPlus = CChangeTableItem::PitchBendPlus;
constexpr int kMinus = CChangeTableItem::PitchBendMinus;

TEST(PitchBendCapture, SelectsOnceForEachMovementOutOfTheCentre) {
    EXPECT_EQ(Feed({0, 30, 60, 8191, 40, -60}),
              (std::vector<int>{kNone, kNone, kPlus, kNone, kNone, kMinus}));
}

TEST(PitchBendCapture, FiftyIsOutsideTheDeadZoneAndFortyNineInside) {
    EXPECT_EQ(Feed({50}), std::vector<int>{kPlus});
    EXPECT_EQ(Feed({-50}), std::vector<int>{kMinus});
    EXPECT_EQ(Feed({49, -49}), (std::vector<int>{kNone, kNone}));
}

TEST(PitchBendCapture, FortyNineIsCloseEnoughToTheCentreToArmAgain) {
    EXPECT_EQ(Feed({100, 49, 100, -49, -100}),
              (std::vector<int>{kPlus, kNone, kPlus, kNone, kMinus}));
}

TEST(PitchBendCapture, AJumpAcrossTheCentreWithoutStoppingInsideSelectsNothing) {
    EXPECT_EQ(Feed({100, -100}), (std::vector<int>{kPlus, kNone}));
    EXPECT_EQ(Feed({40, -100}), (std::vector<int>{kNone, kMinus}));
}

TEST(PitchBendCapture, TheExtremesOfTheWheel) {
    EXPECT_EQ(Feed({-8192, 0, 8191}), (std::vector<int>{kMinus, kNone, kPlus}));
}

} // namespace
