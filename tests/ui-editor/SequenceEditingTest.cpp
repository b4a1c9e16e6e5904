#include "ChangeTableItem.h"
#include "MapEditControlStates.h"
#include "MapEditValues.h"

#include <gtest/gtest.h>

namespace {

std::string Stored(const CMapEditValues& values) {
    return WriteKeySequence(values.m_sequence);
}

} // namespace

TEST(SequenceEditing, KeysAndWaitsAreAddedAfterTheSelectionRemovedAndMoved) {
    CMapEditValues values;
    values.m_nOutputKind = CChangeTableItem::KeySequence;
    values.CaptureKey('C', true, false, false);
    EXPECT_EQ(values.m_nOutputKind, CChangeTableItem::KeySequence)
        << "a captured key waits to be added";
    EXPECT_EQ(values.AddSequenceStroke(-1), 0);
    values.CaptureKey('V', true, false, false);
    EXPECT_EQ(values.AddSequenceStroke(0), 1);
    values.m_nWaitMs = 200;
    EXPECT_EQ(values.AddSequenceWait(0), 1);
    values.CaptureKey(0x09, false, false, true);
    EXPECT_EQ(values.AddSequenceStroke(0), 1);
    EXPECT_EQ(Stored(values), "1:67 4:9 w200 1:86");

    EXPECT_EQ(values.MoveSequenceItem(3, 1), -1) << "the last goes no further down";
    EXPECT_EQ(values.MoveSequenceItem(0, -1), -1);
    EXPECT_EQ(values.MoveSequenceItem(2, -1), 1);
    EXPECT_EQ(Stored(values), "1:67 w200 4:9 1:86");
    EXPECT_EQ(values.RemoveSequenceItem(3), 2) << "the one before the last is selected";
    EXPECT_EQ(values.RemoveSequenceItem(0), 0);
    EXPECT_EQ(values.RemoveSequenceItem(5), -1);
    EXPECT_EQ(Stored(values), "w200 4:9");

    values.m_nWaitMs = 99999;
    values.AddSequenceWait(-1);
    EXPECT_EQ(Stored(values), "w200 4:9 w5000");
    values.m_nKeyCode = 0;
    EXPECT_EQ(values.AddSequenceStroke(-1), -1) << "key code 0 is no key";

    CChangeTableItem rule;
    values.m_nStrokeGap = 0;
    values.WriteTo(rule);
    EXPECT_EQ(rule.OutputKind, CChangeTableItem::KeySequence);
    EXPECT_EQ(rule.GetKeySequence(), "w200 4:9 w5000");
    EXPECT_EQ(rule.StrokeGap, CChangeTableItem::kMinStrokeGap);
}

TEST(SequenceEditing, TheSequenceHasRoomForSixtyFourItems) {
    CMapEditValues values;
    for (int i = 0; i < kMaxKeySequenceItems; ++i) {
        ASSERT_EQ(values.AddSequenceWait(-1), i);
    }
    EXPECT_EQ(values.AddSequenceWait(-1), -1);
    values.m_nKeyCode = 'A';
    EXPECT_EQ(values.AddSequenceStroke(-1), -1);
}

TEST(SequenceEditing, HoldAndRepeatExcludeEachOtherAndTheTextGoesBack) {
    CChangeTableItem rule;
    rule.KeyRepeat = 1;
    rule.SetText("a\r\nb");
    CMapEditValues values(rule);
    EXPECT_EQ(values.m_bKeyRepeat, 1);
    EXPECT_EQ(values.m_strText, "a\r\nb");
    values.CheckKeyHold(true);
    EXPECT_EQ(values.m_bKeyRepeat, 0);
    values.CheckKeyRepeat(true);
    EXPECT_EQ(values.m_bKeyHold, 0);
    values.m_strText = std::string(3000, 'x');
    values.WriteTo(rule);
    EXPECT_EQ(rule.KeyRepeat, 1);
    EXPECT_EQ(rule.KeyHold, 0);
    EXPECT_EQ(rule.GetText().size(), 1000u);
    values.m_nOutputKind = CChangeTableItem::TypeText;
    values.WriteTo(rule);
    EXPECT_EQ(rule.KeyRepeat, 0) << "only a key stroke keeps the repeat";
}

TEST(SequenceEditing, OutputRadioButtonsMapOntoTheKinds) {
    EXPECT_EQ(OutputRadioOf(CChangeTableItem::MouseInput), 3);
    EXPECT_EQ(OutputRadioOf(CChangeTableItem::KeySequence), 4);
    EXPECT_EQ(OutputRadioOf(CChangeTableItem::TypeText), 5);
    EXPECT_EQ(OutputRadioOf(CChangeTableItem::SwitchLayer), 6);
    EXPECT_EQ(OutputRadioOf(7), -1);
    EXPECT_EQ(OutputKindOfRadio(5, 0), CChangeTableItem::TypeText);
    EXPECT_EQ(OutputKindOfRadio(-1, 99), 99) << "an unknown kind stays as it was";
}

TEST(SequenceEditing, ControlsFollowTheOutputKind) {
    const MapEditControlStates sequence =
        MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::KeySequence);
    EXPECT_TRUE(sequence.sequence && sequence.key && sequence.modifiers && sequence.strokeGap);
    EXPECT_FALSE(sequence.text || sequence.keyHold || sequence.keyRepeat);
    const MapEditControlStates text =
        MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::TypeText);
    EXPECT_TRUE(text.text && text.strokeGap);
    EXPECT_FALSE(text.sequence || text.key);
    EXPECT_TRUE(
        MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::KeyInput).keyRepeat);
    EXPECT_FALSE(
        MapEditControlStatesFor(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput)
            .keyRepeat);
    EXPECT_FALSE(
        MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::MouseInput, 4).keyRepeat);
}
