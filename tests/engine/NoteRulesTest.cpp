#include "EngineFixture.h"

TEST_F(EngineTest, NoteOnStrikesTheRulesKeyWithItsModifiers) {
    AddNoteKey(60, 60, 0x41).KeyFlag = 0x05;
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), Actions{KeyAction(0x41, 0x05)});
}

TEST_F(EngineTest, NoteOnWithVelocityZeroDoesNothing) {
    AddNoteKey(60, 60, 0x41);
    Send(NoteOn(0, 60, 0));
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, NoteOffDoesNothing) {
    AddNoteKey(60, 60, 0x41);
    Send(NoteOff(0, 60));
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, EveryMatchingRuleActsInTableOrder) {
    AddNoteKey(60, 60, 0x41);
    AddNoteKey(50, 70, 0x42);
    AddNoteKey(61, 61, 0x43);
    AddNoteKey(60, 60, 0x44);
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x42), KeyAction(0x44)}));
}

TEST_F(EngineTest, NoteRangeIncludesBothEnds) {
    AddNoteKey(60, 64, 0x41);
    for (int note : {59, 60, 62, 64, 65}) {
        Log().clear();
        Send(NoteOn(0, note));
        EXPECT_EQ(Log().size(), (note >= 60 && note <= 64) ? 1u : 0u) << "note " << note;
    }
}

TEST_F(EngineTest, ReversedNoteRangeNeverMatches) {
    AddNoteKey(64, 60, 0x41);
    for (int note : {59, 60, 62, 64, 65}) {
        Send(NoteOn(0, note));
    }
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, ChannelZeroMatchesEveryChannel) {
    AddNoteKey(60, 60, 0x41).InputCh = 0;
    for (int channel = 0; channel < 16; ++channel) {
        Send(NoteOn(channel, 60));
    }
    EXPECT_EQ(Log().size(), 16u);
}

TEST_F(EngineTest, ChannelThreeMatchesOnlyTheThirdChannel) {
    AddNoteKey(60, 60, 0x41).InputCh = 3;
    for (int channel = 0; channel < 16; ++channel) {
        Log().clear();
        Send(NoteOn(channel, 60));
        EXPECT_EQ(Log().size(), channel == 2 ? 1u : 0u) << "channel index " << channel;
    }
}

TEST_F(EngineTest, RuleOfAnotherInputKindDoesNotMatchANote) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    rule.CCNumber = 60;
    Send(NoteOn(0, 60));
    EXPECT_TRUE(Log().empty());
}

TEST_F(EngineTest, UnknownKindsArePassedOver) {
    AddRule(7, CChangeTableItem::KeyInput);
    AddNoteKey(40, 40, 0x41).OutputKind = 4;
    AddNoteKey(40, 40, 0x42);
    Send(NoteOn(0, 40));
    EXPECT_EQ(Log(), Actions{KeyAction(0x42)});
}

TEST_F(EngineTest, EmptyTableDoesNothing) {
    Send(NoteOn(0, 40));
    EXPECT_TRUE(Log().empty());
}

TEST(EngineWithoutTable, DoesNothing) {
    RecordingEngineActions actions;
    CConversionEngine engine(nullptr, actions);
    engine.OnNoteOn(0, 0, 40, 100);
    EXPECT_TRUE(actions.log.empty());
}
