#include "EngineFixture.h"

TEST_F(EngineTest, ActivationRuleAsksForItsExecutable) {
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication)
        .SetActExePath("C:\\Tools\\\x83\x65\x83\x58\x83\x67.exe");
    Send(NoteOnMessage(0, 40));
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
    Send(NoteOnMessage(0, 40));
    EXPECT_EQ(Log(), (Actions{ActivateAction("C:\\a.exe"), ActivateOrLaunchAction("C:\\b.exe"),
                              KeyAction(0x41)}));
}

TEST_F(EngineTest, ActivationRuleWithoutPathDoesNothing) {
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication);
    AddNoteKey(40, 40, 0x41);
    Send(NoteOnMessage(0, 40));
    EXPECT_EQ(Log(), Actions{KeyAction(0x41)});
}

TEST_F(EngineTest, NothingActsWhileARuleEditorExists) {
    AddNoteKey(40, 40, 0x41);
    AddRule(CChangeTableItem::Note, CChangeTableItem::ActivateApplication)
        .SetActExePath("C:\\a.exe");
    AddNoteToggle(40);
    g_pOpenMapEditDlg = SomeRuleEditor();
    Send(NoteOnMessage(0, 40));
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(engine.IsEnabled());
    g_pOpenMapEditDlg = nullptr;
    Send(NoteOnMessage(0, 40));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), ActivateAction("C:\\a.exe"), EnabledAction(false)}));
}

TEST_F(EngineTest, ControllerValuesKeepUpdatingWhileARuleEditorExists) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    rule.CCNumber = 64;
    rule.CCFlag = CChangeTableItem::CCFlagRisingEdge;
    g_pOpenMapEditDlg = SomeRuleEditor();
    Controller(64, {127});
    g_pOpenMapEditDlg = nullptr;
    Controller(64, {100});
    EXPECT_TRUE(Log().empty()) << "the editor's 127 is the value before this 100";
    Controller(64, {0, 90});
    EXPECT_EQ(Log().size(), 1u);
}

TEST_F(EngineTest, PitchBendKeepsUpdatingWhileARuleEditorExists) {
    AddRule(CChangeTableItem::PitchBendMinus, CChangeTableItem::KeyInput);
    g_pOpenMapEditDlg = SomeRuleEditor();
    Bend({100});
    g_pOpenMapEditDlg = nullptr;
    Bend({-100});
    EXPECT_TRUE(Log().empty());
}
