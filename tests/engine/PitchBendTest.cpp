#include "EngineFixture.h"

class PitchBendTest : public EngineTest {
protected:
    PitchBendTest() {
        AddRule(CChangeTableItem::PitchBendMinus, CChangeTableItem::KeyInput).KeyCode = 0x25;
        AddRule(CChangeTableItem::PitchBendPlus, CChangeTableItem::KeyInput).KeyCode = 0x27;
    }
    const std::string minus = KeyAction(0x25);
    const std::string plus = KeyAction(0x27);
};

TEST_F(PitchBendTest, FiresOnceWhenTheWheelLeavesTheCentreZone) {
    Bend({0, 30});
    EXPECT_TRUE(Log().empty());
    Bend({60});
    EXPECT_EQ(Log(), Actions{plus});
    Bend({80, 20});
    EXPECT_EQ(Log(), Actions{plus});
    Bend({-70});
    EXPECT_EQ(Log(), (Actions{plus, minus}));
}

TEST_F(PitchBendTest, CentreZoneNeverFires) {
    for (int v = -49; v <= 49; ++v) {
        Bend({v});
    }
    EXPECT_TRUE(Log().empty());
}

TEST_F(PitchBendTest, BoundaryOfTheZoneIsFifty) {
    Bend({50, 0, -50});
    EXPECT_EQ(Log(), (Actions{plus, minus}));
}

TEST_F(PitchBendTest, JumpFromInsideTheZoneStraightDownFires) {
    Bend({40, -100});
    EXPECT_EQ(Log(), Actions{minus});
}

TEST_F(PitchBendTest, JumpAcrossTheZoneWithoutEnteringItDoesNotFire) {
    Bend({100});
    Log().clear();
    Bend({-100});
    EXPECT_TRUE(Log().empty());
}

TEST_F(PitchBendTest, ExtremesFire) {
    Bend({-8192, 0, 8191});
    EXPECT_EQ(Log(), (Actions{minus, plus}));
}

TEST_F(PitchBendTest, LastValueIsSharedByAllChannels) {
    Bend({100}, 0);
    Log().clear();
    Bend({-100}, 1);
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, PitchBendRuleListensToItsChannel) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::PitchBendPlus, CChangeTableItem::KeyInput);
    rule.InputCh = 5;
    rule.KeyCode = 0x27;
    Bend({100}, 0);
    Bend({0, 100}, 4);
    EXPECT_EQ(Log(), Actions{KeyAction(0x27)});
}
