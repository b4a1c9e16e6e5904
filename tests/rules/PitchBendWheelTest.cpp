#include "ChangeTableItem.h"
#include "PitchBendWheel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr int kNone = -1;
constexpr int kReturned = -2;
constexpr int kPlus = CChangeTableItem::PitchBendPlus;
constexpr int kMinus = CChangeTableItem::PitchBendMinus;

// The input kind of each movement out of the centre, kReturned for each
// return into it, kNone for the rest.
std::vector<int> Feed(const std::vector<std::int32_t>& values) {
    CPitchBendWheel wheel;
    std::vector<int> kinds;
    for (std::int32_t value : values) {
        const CPitchBendWheel::Movement movement = wheel.OnValue(value);
        switch (movement) {
        case CPitchBendWheel::Stayed:
            kinds.push_back(kNone);
            break;
        case CPitchBendWheel::Returned:
            kinds.push_back(kReturned);
            break;
        default:
            kinds.push_back(CPitchBendWheel::InputKindOf(movement));
            break;
        }
    }
    return kinds;
}

TEST(PitchBendWheel, LeavesOnceForEachMovementOutOfTheCentre) {
    EXPECT_EQ(Feed({0, 30, 60, 8191, 40, -60}),
              (std::vector<int>{kNone, kNone, kPlus, kNone, kReturned, kMinus}));
}

TEST(PitchBendWheel, FiftyIsOutsideTheDeadZoneAndFortyNineInside) {
    EXPECT_EQ(Feed({50}), std::vector<int>{kPlus});
    EXPECT_EQ(Feed({-50}), std::vector<int>{kMinus});
    EXPECT_EQ(Feed({49, -49}), (std::vector<int>{kNone, kNone}));
}

TEST(PitchBendWheel, FortyNineIsCloseEnoughToTheCentreToArmAgain) {
    EXPECT_EQ(Feed({100, 49, 100, -49, -100}),
              (std::vector<int>{kPlus, kReturned, kPlus, kReturned, kMinus}));
}

TEST(PitchBendWheel, AJumpAcrossTheCentreWithoutStoppingInsideNeitherLeavesNorReturns) {
    EXPECT_EQ(Feed({100, -100}), (std::vector<int>{kPlus, kNone}));
    EXPECT_EQ(Feed({40, -100}), (std::vector<int>{kNone, kMinus}));
}

TEST(PitchBendWheel, TheExtremesOfTheWheelAndOfTheNumberRange) {
    EXPECT_EQ(Feed({-8192, 0, 8191}), (std::vector<int>{kMinus, kReturned, kPlus}));
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(Feed({kLowest, 0, kHighest, kLowest}),
              (std::vector<int>{kMinus, kReturned, kPlus, kNone}));
}

} // namespace
