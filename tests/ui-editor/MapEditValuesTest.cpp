#include "ChangeTableItem.h"
#include "MapEditValues.h"

#include <gtest/gtest.h>

namespace {

TEST(MapEditValuesFromRule, TakesEveryFieldOfTheRule) {
    CChangeTableItem rule;
    rule.InputCh = 10;
    rule.InputKind = CChangeTableItem::ProgramChange;
    rule.OutputKind = CChangeTableItem::ActivateApplication;
    rule.NoteNumber = 61;
    rule.NoteNumberEnd = 65;
    rule.CCNumber = 7;
    rule.CCFlag = 1;
    rule.PCNumber = 12;
    rule.PCRange = 1;
    rule.KeyCode = 0x41;
    rule.KeyFlag = CChangeTableItem::KeyFlagCtrl | CChangeTableItem::KeyFlagAlt;
    rule.SetActExePath("C:\\Tools\\app.exe");
    rule.ActLaunch = 1;
    rule.KeyHold = 1;

    const CMapEditValues values(rule);

    EXPECT_EQ(values.m_nInputCh, 10);
    EXPECT_EQ(values.m_nInputKind, 4);
    EXPECT_EQ(values.m_nOutputKind, 1);
    EXPECT_EQ(values.m_nNoteNumber, 61);
    EXPECT_EQ(values.m_nNoteNumberEnd, 65);
    EXPECT_EQ(values.m_nCCNumber, 7);
    EXPECT_EQ(values.m_bCCFlag, 1);
    EXPECT_EQ(values.m_nPCNumber, 12);
    EXPECT_EQ(values.m_nPCRange, 1);
    EXPECT_EQ(values.m_nKeyCode, 0x41);
    EXPECT_EQ(values.m_bCtrl, 1);
    EXPECT_EQ(values.m_bShift, 0);
    EXPECT_EQ(values.m_bAlt, 1);
    EXPECT_EQ(values.m_strActExePath, "C:\\Tools\\app.exe");
    EXPECT_EQ(values.m_bActLaunch, 1);
    EXPECT_EQ(values.m_bKeyHold, 1);
}

TEST(MapEditValuesFromRule, ReadsOnlyTheMeaningfulFlagBits) {
    CChangeTableItem rule;
    rule.CCFlag = 2;
    rule.KeyFlag = 0xF8 | CChangeTableItem::KeyFlagShift;

    const CMapEditValues values(rule);

    EXPECT_EQ(values.m_bCCFlag, 0);
    EXPECT_EQ(values.m_bCtrl, 0);
    EXPECT_EQ(values.m_bShift, 1);
    EXPECT_EQ(values.m_bAlt, 0);
}

TEST(MapEditValuesWriteBack, StoresTheSmallerNoteFirst) {
    CChangeTableItem rule;
    CMapEditValues values(rule);
    values.m_nNoteNumber = 72;
    values.m_nNoteNumberEnd = 60;

    values.WriteTo(rule);

    EXPECT_EQ(rule.NoteNumber, 60);
    EXPECT_EQ(rule.NoteNumberEnd, 72);
}

TEST(MapEditValuesWriteBack, ComparesNotesAsSignedNumbersBeforeCuttingThem) {
    CChangeTableItem rule;
    CMapEditValues values(rule);
    values.m_nNoteNumber = 300; // stored as 44, but larger than 100
    values.m_nNoteNumberEnd = 100;

    values.WriteTo(rule);

    EXPECT_EQ(rule.NoteNumber, 100);
    EXPECT_EQ(rule.NoteNumberEnd, 44);
}

TEST(MapEditValuesWriteBack, KeepsTheLowEightBitsOfEveryNumber) {
    CChangeTableItem rule;
    CMapEditValues values(rule);
    values.m_nCCNumber = 300;
    values.m_nPCNumber = 256 + 5;
    values.m_nKeyCode = -1; // the key combo without a selection
    values.m_nInputCh = -1; // the channel combo without a selection
    values.m_nInputKind = 7;

    values.WriteTo(rule);

    EXPECT_EQ(rule.CCNumber, 44);
    EXPECT_EQ(rule.PCNumber, 5);
    EXPECT_EQ(rule.KeyCode, 255);
    EXPECT_EQ(rule.InputCh, 255);
    EXPECT_EQ(rule.InputKind, 7);
}

TEST(MapEditValuesWriteBack, ComposesTheModifierFlags) {
    CChangeTableItem rule;
    CMapEditValues values(rule);

    values.m_bCtrl = 1;
    values.m_bShift = 1;
    values.WriteTo(rule);
    EXPECT_EQ(rule.KeyFlag, 3);

    values.m_bCtrl = 0;
    values.m_bShift = 0;
    values.m_bAlt = 1;
    values.WriteTo(rule);
    EXPECT_EQ(rule.KeyFlag, 4);
}

TEST(MapEditValuesWriteBack, ReplacesOtherBitsOfTheStoredFlags) {
    CChangeTableItem rule;
    rule.KeyFlag = 0xF8;
    rule.CCFlag = 3;
    CMapEditValues values(rule);

    values.WriteTo(rule);

    EXPECT_EQ(rule.KeyFlag, 0);
    EXPECT_EQ(rule.CCFlag, 1);
}

TEST(MapEditValuesWriteBack, WritesEveryFieldWhateverTheKinds) {
    CChangeTableItem rule;
    CMapEditValues values(rule);
    values.m_nInputKind = CChangeTableItem::PitchBendPlus;
    values.m_nOutputKind = CChangeTableItem::ToggleEnabled;
    values.m_nInputCh = 16;
    values.m_nNoteNumber = 50;
    values.m_nNoteNumberEnd = 51;
    values.m_nCCNumber = 64;
    values.m_bCCFlag = 1;
    values.m_nPCNumber = 100;
    values.m_nPCRange = 1;
    values.m_nKeyCode = 0x0D;
    values.m_bShift = 1;
    values.m_strActExePath = "D:\\x.exe";
    values.m_bActLaunch = 1;
    values.m_bKeyHold = 1;

    values.WriteTo(rule);

    EXPECT_EQ(rule.InputKind, CChangeTableItem::PitchBendPlus);
    EXPECT_EQ(rule.OutputKind, CChangeTableItem::ToggleEnabled);
    EXPECT_EQ(rule.InputCh, 16);
    EXPECT_EQ(rule.NoteNumber, 50);
    EXPECT_EQ(rule.NoteNumberEnd, 51);
    EXPECT_EQ(rule.CCNumber, 64);
    EXPECT_EQ(rule.CCFlag, 1);
    EXPECT_EQ(rule.PCNumber, 100);
    EXPECT_EQ(rule.PCRange, 1);
    EXPECT_EQ(rule.KeyCode, 0x0D);
    EXPECT_EQ(rule.KeyFlag, CChangeTableItem::KeyFlagShift);
    EXPECT_EQ(rule.GetActExePath(), "D:\\x.exe");
    EXPECT_EQ(rule.ActLaunch, 1);
    EXPECT_EQ(rule.KeyHold, 1);
}

TEST(MapEditValuesCapture, NoteSetsBothEndsAndTheNoteKind) {
    CChangeTableItem rule;
    rule.InputKind = CChangeTableItem::ControlChange;
    rule.NoteNumber = 10;
    rule.NoteNumberEnd = 20;
    CMapEditValues values(rule);

    values.CaptureNote(60);

    EXPECT_EQ(values.m_nInputKind, CChangeTableItem::Note);
    EXPECT_EQ(values.m_nNoteNumber, 60);
    EXPECT_EQ(values.m_nNoteNumberEnd, 60);
}

TEST(MapEditValuesCapture, ControllerLeavesTheEdgeFlagAsSet) {
    CChangeTableItem rule;
    rule.CCFlag = 1;
    CMapEditValues values(rule);

    values.CaptureController(64);

    EXPECT_EQ(values.m_nInputKind, CChangeTableItem::ControlChange);
    EXPECT_EQ(values.m_nCCNumber, 64);
    EXPECT_EQ(values.m_bCCFlag, 1);
}

TEST(MapEditValuesCapture, ProgramIsShownInTheCountingOfTheRange) {
    CChangeTableItem rule;
    CMapEditValues values(rule);

    values.m_nPCRange = 1;
    values.CaptureProgram(0);
    EXPECT_EQ(values.m_nInputKind, CChangeTableItem::ProgramChange);
    EXPECT_EQ(values.m_nPCNumber, 1);

    values.m_nPCRange = 0;
    values.CaptureProgram(0);
    EXPECT_EQ(values.m_nPCNumber, 0);

    values.m_nPCRange = 1;
    values.CaptureProgram(127);
    EXPECT_EQ(values.m_nPCNumber, 128);
}

TEST(MapEditValuesCapture, KeySwitchesToKeyInputAndKeepsThePath) {
    CChangeTableItem rule;
    rule.OutputKind = CChangeTableItem::ActivateApplication;
    rule.SetActExePath("C:\\a.exe");
    rule.KeyFlag = CChangeTableItem::KeyFlagAlt;
    rule.KeyHold = 1;
    CMapEditValues values(rule);

    values.CaptureKey(65, true, true, false);
    EXPECT_EQ(values.m_bKeyHold, 1) << "a capture leaves the hold box as it is";

    EXPECT_EQ(values.m_nOutputKind, CChangeTableItem::KeyInput);
    EXPECT_EQ(values.m_nKeyCode, 65);
    EXPECT_EQ(values.m_bCtrl, 1);
    EXPECT_EQ(values.m_bShift, 1);
    EXPECT_EQ(values.m_bAlt, 0);
    EXPECT_EQ(values.m_strActExePath, "C:\\a.exe");
}

TEST(MapEditValuesCapture, PitchBendSetsOnlyTheKind) {
    CChangeTableItem rule;
    CMapEditValues values(rule);
    values.m_nNoteNumber = 33;

    values.CapturePitchBend(CChangeTableItem::PitchBendMinus);

    EXPECT_EQ(values.m_nInputKind, CChangeTableItem::PitchBendMinus);
    EXPECT_EQ(values.m_nNoteNumber, 33);
}

} // namespace

TEST(MapEditValuesForeApplication, TheBoxDecidesWhatReachesTheRule) {
    CChangeTableItem rule;
    rule.SetForeExePath("Paint.exe");
    CMapEditValues values(rule);
    EXPECT_EQ(values.m_bForeOnly, 1);
    EXPECT_EQ(values.m_strForeExePath, "Paint.exe");
    values.m_bForeOnly = 0;
    values.WriteTo(rule);
    EXPECT_EQ(rule.GetForeExePath(), "") << "unchecked, the typed path is not stored";

    values.ChooseForeApplication("C:\\Office\\Writer.exe");
    EXPECT_FALSE(values.IsForeApplicationMissing());
    values.WriteTo(rule);
    EXPECT_EQ(rule.GetForeExePath(), "C:\\Office\\Writer.exe");

    values.m_strForeExePath = " \t";
    EXPECT_TRUE(values.IsForeApplicationMissing());
    values.m_bForeOnly = 0;
    EXPECT_FALSE(values.IsForeApplicationMissing());
}

TEST(MapEditValuesLight, ShowsTheRulesLightAndWritesItBackInRange) {
    CChangeTableItem rule;
    rule.InputKind = CChangeTableItem::Note;
    rule.Feedback = 1;
    rule.FeedbackOn = 100;
    rule.FeedbackOff = 5;
    rule.FeedbackCh = 7;

    CMapEditValues values(rule);
    EXPECT_EQ(values.m_bFeedback, 1);
    EXPECT_EQ(values.m_nFeedbackOn, 100);
    EXPECT_EQ(values.m_nFeedbackOff, 5);
    EXPECT_EQ(values.m_nFeedbackCh, 7);

    values.m_nFeedbackOn = 300; // typed beyond a data byte: the brightest, not its low bits
    values.m_nFeedbackOff = -4;
    values.m_nFeedbackCh = 0;
    values.WriteTo(rule);
    EXPECT_EQ(rule.Feedback, 1);
    EXPECT_EQ(rule.FeedbackOn, 127);
    EXPECT_EQ(rule.FeedbackOff, 0);
    EXPECT_EQ(rule.FeedbackCh, 0);

    values.m_nFeedbackCh = -1; // no channel chosen
    values.m_nFeedbackOn = 64;
    values.m_nInputKind = CChangeTableItem::ControlChangeUp; // a knob's controller is lit too
    rule.FeedbackCh = 9;
    values.WriteTo(rule);
    EXPECT_EQ(rule.Feedback, 1);
    EXPECT_EQ(rule.FeedbackOn, 64);
    EXPECT_EQ(rule.FeedbackCh, 9);
}

TEST(MapEditValuesLight, OnlyALightableInputIsWrittenLitAndAnUnlitRuleKeepsItsValues) {
    // Hand-edited: a program change cannot be lit.
    CChangeTableItem program;
    program.InputKind = CChangeTableItem::ProgramChange;
    program.Feedback = 1;
    program.FeedbackOn = 90;
    CMapEditValues values(program);
    values.WriteTo(program);
    EXPECT_EQ(program.Feedback, 0);
    EXPECT_EQ(program.FeedbackOn, 90) << "kept as written by hand";

    // Values changed while the box was checked, then the box unchecked: the
    // rule stays as it was, so its section is written as before.
    CChangeTableItem note;
    CMapEditValues unlit(note);
    EXPECT_EQ(unlit.m_bFeedback, 0);
    EXPECT_EQ(unlit.m_nFeedbackOn, 127);
    EXPECT_EQ(unlit.m_nFeedbackOff, 0);
    unlit.m_nFeedbackOn = 50;
    unlit.m_nFeedbackOff = 3;
    unlit.m_nFeedbackCh = 4;
    unlit.WriteTo(note);
    EXPECT_EQ(note.Feedback, 0);
    EXPECT_EQ(note.FeedbackOn, CChangeTableItem::kDefaultFeedbackOn);
    EXPECT_EQ(note.FeedbackOff, CChangeTableItem::kDefaultFeedbackOff);
    EXPECT_EQ(note.FeedbackCh, 0);
}
