// Adding a rule the way a user does it: play the note, press the keys, OK.
#include "EditorProgram.h"
#include "KeyboardInput.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "Windows.h"

using namespace EditorControl;

class AddRuleTest : public EditorProgramTest {};

TEST_F(AddRuleTest, CapturedNoteAndKeysBecomeTheLastRowThatFiresAndIsSaved) {
    const ConfigRule existing = ConfigRule::KeyOnNotes(40, 40, 'Z');
    ASSERT_NO_FATAL_FAILURE(StartWith({existing}));

    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    // A new rule starts on note 40 with key code 0.
    EXPECT_EQ(editor.CheckedOf({std::begin(kInputKinds), std::end(kInputKinds)}), 0);
    EXPECT_EQ(editor.Text(kNoteNumber), "40");
    // The focus starts on the channel list, so keys are captured at once.
    EXPECT_TRUE(WaitUntil([&] { return editor.FocusedWindow() == editor.Control(kChannel); },
                          kActionTimeoutMs));

    ASSERT_TRUE(editor.Click(kControllerEvent));
    PostMidi(NoteOn(3, 60));
    ASSERT_TRUE(WaitUntil([&] { return editor.Text(kNoteNumber) == "60"; }, kActionTimeoutMs));
    EXPECT_TRUE(editor.IsChecked(kNoteEvent));
    EXPECT_FALSE(editor.IsChecked(kControllerEvent));
    EXPECT_EQ(editor.Text(kNoteNumberEnd), "60");
    EXPECT_EQ(editor.ComboSelection(kChannel), 0) << "the event's channel is not taken";
    EXPECT_TRUE(editor.IsEnabled(kNoteNumber));
    EXPECT_FALSE(editor.IsEnabled(kControllerNumber));

    ASSERT_TRUE(editor.BringToFront(kActionTimeoutMs));
    ASSERT_NE(WindowClass(editor.FocusedWindow()), "Edit");
    ASSERT_TRUE(TypeChord({VK_CONTROL, VK_SHIFT, 'A'}));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(kKey) == 'A'; }, kActionTimeoutMs));
    EXPECT_TRUE(editor.IsChecked(kControl));
    EXPECT_TRUE(editor.IsChecked(kShift));
    EXPECT_FALSE(editor.IsChecked(kAlt));
    EXPECT_TRUE(editor.IsChecked(kKeyInput));
    EXPECT_TRUE(editor.IsOpen());

    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 2; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows(), (std::vector<std::string>{RowText("Note# 40", "キー入力: Z"),
                                                    RowText("Note# 60", "キー入力: Ctrl+Shift+A")}));
    EXPECT_EQ(RuleList().SelectedRows(), std::vector<int>{1});
    EXPECT_TRUE(RuleList().IsFocused(1));

    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostMidi(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A', 3));

    const Config saved = EndAndReadConfig();
    ConfigRule added = ConfigRule::KeyOnNotes(60, 60, 'A', 3);
    EXPECT_EQ(saved.rules, (std::vector<ConfigRule>{existing, added}));
}
