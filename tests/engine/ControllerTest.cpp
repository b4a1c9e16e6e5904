#include "EngineFixture.h"

class ControllerEdgeTest : public EngineTest {
protected:
    ControllerEdgeTest() {
        CChangeTableItem& rule =
            AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
        rule.CCNumber = 64;
        rule.CCFlag = CChangeTableItem::CCFlagRisingEdge;
        rule.KeyCode = 0x20;
    }
    // How many times the rule fired for each value in turn.
    std::vector<std::size_t> FiringsFor(std::initializer_list<int> values, int channel = 0) {
        std::vector<std::size_t> firings;
        for (int v : values) {
            const std::size_t before = Log().size();
            Controller(64, {v}, channel);
            firings.push_back(Log().size() - before);
        }
        return firings;
    }
};

TEST_F(ControllerEdgeTest, FiresOnlyWhenTheValueLeavesZero) {
    EXPECT_EQ(FiringsFor({0, 127, 127, 0, 90}), (std::vector<std::size_t>{0, 1, 0, 0, 1}));
}

TEST_F(ControllerEdgeTest, FirstNonZeroValueFiresAgainAfterReopen) {
    FiringsFor({127});
    engine.ResetControllerValues();
    EXPECT_EQ(FiringsFor({127}), std::vector<std::size_t>{1});
}

TEST_F(ControllerEdgeTest, LastValuesAreSharedByAllChannels) {
    FiringsFor({127}, 0);
    EXPECT_EQ(FiringsFor({127}, 9), std::vector<std::size_t>{0});
}

TEST_F(ControllerEdgeTest, OtherControllersDoNotDisturbTheEdge) {
    FiringsFor({0});
    Controller(65, {127});
    EXPECT_EQ(FiringsFor({100}), std::vector<std::size_t>{1});
}

TEST_F(EngineTest, ControllerRuleWithoutEdgeFlagFiresOnEveryValue) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    rule.CCNumber = 7;
    rule.CCFlag = 2; // only bit 0 means anything
    Controller(7, {0, 127, 127, 0});
    Controller(8, {5});
    EXPECT_EQ(Log().size(), 4u);
}

TEST_F(EngineTest, ControllerNumberAbove127IsIgnoredAndNotStored) {
    CChangeTableItem& high = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    high.CCNumber = 200;
    CChangeTableItem& edge = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    edge.CCNumber = 200 & 0x7F;
    edge.CCFlag = CChangeTableItem::CCFlagRisingEdge;
    engine.OnControlChange(0, 0, 200, 90);
    EXPECT_TRUE(Log().empty());
    Controller(200 & 0x7F, {90});
    EXPECT_EQ(Log().size(), 1u) << "the value of controller 200 must not land on 72";
}

TEST_F(EngineTest, ProgramNumbersCountedFromOneMatchTheProgramBelow) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    rule.PCNumber = 1;
    rule.PCRange = 1;
    Send(ProgramChange(0, 1));
    EXPECT_TRUE(Log().empty());
    Send(ProgramChange(0, 0));
    EXPECT_EQ(Log().size(), 1u);
}

TEST_F(EngineTest, ProgramNumbersCountedFromZeroMatchThemselves) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    rule.PCNumber = 1;
    Send(ProgramChange(0, 0));
    EXPECT_TRUE(Log().empty());
    Send(ProgramChange(0, 1));
    EXPECT_EQ(Log().size(), 1u);
}

TEST_F(EngineTest, ProgramZeroCountedFromOneMatchesNothing) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    rule.PCRange = 1;
    for (int program = 0; program < 128; ++program) {
        Send(ProgramChange(0, program));
    }
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, ProgramChangeRuleListensToItsChannel) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    rule.InputCh = 16;
    rule.PCNumber = 3;
    Send(ProgramChange(0, 3));
    Send(ProgramChange(15, 3));
    EXPECT_EQ(Log().size(), 1u);
}
