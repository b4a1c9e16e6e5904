// Cancelling the editor after captures changes nothing, and while it is open
// the rules rest, though controller values still count.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

using namespace EditorControl;

class EditorCancelTest : public EditorProgramTest {};

TEST_F(EditorCancelTest, CapturesThenCancelLeaveTableAndRuleAsTheyWere) {
    const std::vector<ConfigRule> rules = {ConfigRule::KeyOnNotes(60, 60, 'A'),
                                           ConfigRule::KeyOnController(64, 'S', true)};
    ASSERT_NO_FATAL_FAILURE(StartWith(rules));
    const std::vector<std::string> rows = RuleRows();
    ASSERT_EQ(rows.size(), 2u);

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_EQ(editor.Text(kNoteNumber), "60");
    EXPECT_EQ(editor.ComboSelection(kKey), 'A');
    PostMidi(NoteOn(0, 61));
    ASSERT_TRUE(WaitUntil([&] { return editor.Text(kNoteNumber) == "61"; }, kActionTimeoutMs));
    PostMidi(ControlChange(0, 7, 1));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsChecked(kControllerEvent); }, kActionTimeoutMs));
    EXPECT_EQ(editor.Text(kControllerNumber), "7");
    ASSERT_TRUE(editor.PostKey('Q'));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(kKey) == 'Q'; }, kActionTimeoutMs));

    // The rules do nothing while the editor is open; the controller's value
    // is still taken.
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostMidi(NoteOn(0, 60));
    PostMidi(ControlChange(0, 64, 127));
    ASSERT_TRUE(WaitUntil([&] { return editor.Text(kControllerNumber) == "64"; }, kActionTimeoutMs));
    ExpectKeys({});
    ASSERT_TRUE(editor.IsOpen());

    ASSERT_NO_FATAL_FAILURE(Close(editor, false));
    EXPECT_EQ(RuleRows(), rows);

    // Adding and cancelling leaves the table as well.
    const DialogDriver added = OpenAdd();
    ASSERT_TRUE(added.IsFound());
    PostMidi(NoteOn(0, 70));
    ASSERT_TRUE(WaitUntil([&] { return added.Text(kNoteNumber) == "70"; }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(added, false));
    EXPECT_EQ(RuleRows(), rows);

    // Acting again: the controller stayed at 127 from the editor's time, so
    // only its next move up from 0 counts.
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostMidi(ControlChange(0, 64, 127));
    PostMidi(NoteOn(0, 60));
    PostMidi(ControlChange(0, 64, 0));
    PostMidi(ControlChange(0, 64, 127));
    ExpectKeys(ExpectedStroke('A') + ExpectedStroke('S'));

    EXPECT_EQ(EndAndReadConfig().rules, rules);
}
