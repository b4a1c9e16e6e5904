#include "EngineFixture.h"

TEST_F(EngineTest, StartsSwitchedOn) {
    EXPECT_TRUE(engine.IsEnabled());
}

TEST_F(EngineTest, ToggleRuleSwitchesOffAndTellsTheActions) {
    AddNoteToggle(60);
    Send(NoteOn(0, 60));
    EXPECT_FALSE(engine.IsEnabled());
    EXPECT_EQ(Log(), Actions{EnabledAction(false)});
}

TEST_F(EngineTest, WhileOffOnlyToggleRulesAct) {
    AddNoteKey(60, 60, 0x41);
    AddNoteToggle(61);
    engine.OnToggleEnabled();
    Log().clear();
    Send(NoteOn(0, 60));
    EXPECT_TRUE(Log().empty());
    Send(NoteOn(0, 61));
    EXPECT_TRUE(engine.IsEnabled());
    EXPECT_EQ(Log(), Actions{EnabledAction(true)});
}

TEST_F(EngineTest, SwitchIsReadAnewForEveryRuleOfOneWalk) {
    AddNoteKey(60, 60, 0x41);
    AddNoteToggle(60);
    AddNoteKey(60, 60, 0x42);
    engine.OnToggleEnabled();
    Log().clear();
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{EnabledAction(true), KeyAction(0x42)}));
}

TEST_F(EngineTest, SwitchingOffMidWalkSilencesTheLaterRules) {
    AddNoteKey(60, 60, 0x41);
    AddNoteToggle(60);
    AddNoteKey(60, 60, 0x42);
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), EnabledAction(false)}));
}

TEST_F(EngineTest, TwoMatchingTogglesLeaveTheStateUnchanged) {
    AddNoteToggle(60);
    AddNoteToggle(60);
    AddNoteKey(60, 60, 0x41);
    Send(NoteOn(0, 60));
    EXPECT_TRUE(engine.IsEnabled());
    EXPECT_EQ(Log(), (Actions{EnabledAction(false), EnabledAction(true), KeyAction(0x41)}));
}
