#include "EngineFixture.h"
#include "EngineSuspension.h"

TEST_F(EngineTest, ActivationRuleAsksForItsExecutable) {
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication)
        .SetActExePath("C:\\Tools\\\x83\x65\x83\x58\x83\x67.exe");
    Send(NoteOn(0, 40));
    EXPECT_EQ(Log(), Actions{ActivateAction("C:\\Tools\\\x83\x65\x83\x58\x83\x67.exe")});
}

TEST_F(EngineTest, OnlyActivationRulesWithTheStartFlagMayStartTheExecutable) {
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication)
        .SetActExePath("C:\\a.exe");
    CChangeTableItem& starting =
        AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication);
    starting.SetActExePath("C:\\b.exe");
    starting.ActLaunch = 1;
    CChangeTableItem& emptyPath =
        AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication);
    emptyPath.ActLaunch = 1;
    AddNoteKey(40, 40, 0x41).ActLaunch = 1;
    Send(NoteOn(0, 40));
    EXPECT_EQ(Log(), (Actions{ActivateAction("C:\\a.exe"), ActivateOrLaunchAction("C:\\b.exe"),
                              KeyAction(0x41)}));
}

TEST_F(EngineTest, ActivationRuleWithoutPathDoesNothing) {
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication);
    AddNoteKey(40, 40, 0x41);
    Send(NoteOn(0, 40));
    EXPECT_EQ(Log(), Actions{KeyAction(0x41)});
}

TEST_F(EngineTest, NothingActsWhileSuspendedAndNestedSuspensionsNeedEveryResume) {
    AddNoteKey(40, 40, 0x41);
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication)
        .SetActExePath("C:\\a.exe");
    AddNoteToggle(40);
    {
        CEngineSuspension editorOpen(engine);
        engine.Suspend(); // the table edited meanwhile
        Send(NoteOn(0, 40));
        engine.Resume();
        Send(NoteOn(0, 40));
        EXPECT_TRUE(engine.IsSuspended());
    }
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(engine.IsEnabled());
    engine.Resume(); // one too many is ignored
    EXPECT_FALSE(engine.IsSuspended());
    Send(NoteOn(0, 40));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), ActivateAction("C:\\a.exe"), EnabledAction(false)}));
    engine.Suspend();
    EXPECT_TRUE(engine.IsSuspended()) << "an extra Resume must not cancel a later Suspend";
}

TEST_F(EngineTest, ControllerValuesKeepUpdatingWhileSuspended) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    rule.CCNumber = 64;
    rule.CCFlag = CChangeTableItem::CCFlagRisingEdge;
    engine.Suspend();
    Controller(64, {127});
    engine.Resume();
    Controller(64, {100});
    EXPECT_TRUE(Log().empty()) << "the 127 while suspended is the value before this 100";
    Controller(64, {0, 90});
    EXPECT_EQ(Log().size(), 1u);
}

TEST_F(EngineTest, PitchBendKeepsUpdatingWhileSuspended) {
    AddRule(CChangeTableItem::PitchBendMinus, CChangeTableItem::KeyInput);
    engine.Suspend();
    Bend({100});
    engine.Resume();
    Bend({-100});
    EXPECT_TRUE(Log().empty());
}
