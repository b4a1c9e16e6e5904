// Program changes and the pitch-bend wheel played into the open editor.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

using namespace EditorControl;

class MidiCaptureTest : public EditorProgramTest {
protected:
    void SetUp() override {
        EditorProgramTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartWith({}));
        editor = OpenAdd();
        ASSERT_TRUE(editor.IsFound());
    }
    int InputKind() const {
        return editor.CheckedOf({std::begin(kInputKinds), std::end(kInputKinds)});
    }
    // Chooses note events again, so that a later capture shows.
    void BackToNotes() {
        ASSERT_TRUE(editor.Click(kNoteEvent));
        ASSERT_NO_FATAL_FAILURE(SyncWith(editor));
        ASSERT_EQ(InputKind(), ConfigRule::Note);
    }
    // The input kind after the wheel reached `value`.
    int KindAfterBend(int value) {
        PostMidi(PitchBend(0, value));
        SyncWith(editor);
        return InputKind();
    }

    DialogDriver editor;
};

TEST_F(MidiCaptureTest, AProgramChangeShowsItsNumberInTheChosenRange) {
    ASSERT_TRUE(editor.SetComboSelection(kProgramRange, 1)); // "1～128"
    PostMidi(ProgramChange(0, 0));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsChecked(kProgramEvent); }, kActionTimeoutMs));
    EXPECT_EQ(editor.Text(kProgramNumber), "1");
    EXPECT_TRUE(editor.IsEnabled(kProgramNumber));
    EXPECT_FALSE(editor.IsEnabled(kNoteNumber));

    ASSERT_TRUE(editor.SetComboSelection(kProgramRange, 0)); // "0～127"
    PostMidi(ProgramChange(0, 0));
    ASSERT_TRUE(WaitUntil([&] { return editor.Text(kProgramNumber) == "0"; }, kActionTimeoutMs));
    PostMidi(ProgramChange(0, 9));
    ASSERT_TRUE(WaitUntil([&] { return editor.Text(kProgramNumber) == "9"; }, kActionTimeoutMs));

    // Choosing the other range afterwards leaves the number as it is.
    ASSERT_TRUE(editor.SetComboSelection(kProgramRange, 1));
    ASSERT_NO_FATAL_FAILURE(SyncWith(editor));
    EXPECT_EQ(editor.Text(kProgramNumber), "9");

    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 1u);
    EXPECT_EQ(saved.rules[0].inputKind, ConfigRule::ProgramChange);
    EXPECT_EQ(saved.rules[0].pcNumber, 9);
    EXPECT_EQ(saved.rules[0].pcRange, 1);
}

TEST_F(MidiCaptureTest, OnlyTheWheelLeavingTheDeadZoneChoosesADirection) {
    ASSERT_EQ(InputKind(), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(0), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(30), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(60), ConfigRule::PitchBendPlus);
    ASSERT_NO_FATAL_FAILURE(BackToNotes());
    EXPECT_EQ(KindAfterBend(8191), ConfigRule::Note) << "still outside";
    EXPECT_EQ(KindAfterBend(40), ConfigRule::Note) << "back inside";
    EXPECT_EQ(KindAfterBend(-60), ConfigRule::PitchBendMinus);

    // The zone's edges: 50 away from the centre is outside, 49 inside.
    ASSERT_NO_FATAL_FAILURE(BackToNotes());
    EXPECT_EQ(KindAfterBend(0), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(50), ConfigRule::PitchBendPlus);
    ASSERT_NO_FATAL_FAILURE(BackToNotes());
    EXPECT_EQ(KindAfterBend(0), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(-50), ConfigRule::PitchBendMinus);
    ASSERT_NO_FATAL_FAILURE(BackToNotes());
    EXPECT_EQ(KindAfterBend(0), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(49), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(-49), ConfigRule::Note);
    EXPECT_EQ(KindAfterBend(-8192), ConfigRule::PitchBendMinus);
    ASSERT_NO_FATAL_FAILURE(Close(editor, false));
}
