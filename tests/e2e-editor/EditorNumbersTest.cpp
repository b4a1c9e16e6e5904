// What the number edits of the editor store, and what they refuse.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

using namespace EditorControl;

class EditorNumbersTest : public EditorProgramTest {};

TEST_F(EditorNumbersTest, NotesAreOrderedBytesCutAndEmptyEditsRefused) {
    ASSERT_NO_FATAL_FAILURE(StartWith({}));

    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    ASSERT_TRUE(editor.SetText(kNoteNumber, "72"));
    ASSERT_TRUE(editor.SetText(kNoteNumberEnd, "60"));
    ASSERT_TRUE(editor.SetText(kControllerNumber, "300"));
    ASSERT_TRUE(editor.SetText(kProgramNumber, " 5 "));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 1; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows(), std::vector<std::string>{RowText("Note# 60～72", "キー入力: [Code:0]")});

    const DialogDriver refused = OpenAdd();
    ASSERT_TRUE(refused.IsFound());
    ASSERT_TRUE(refused.SetText(kNoteNumberEnd, ""));
    ASSERT_TRUE(refused.PressOk());
    {
        // While the box is up live capture pauses: nothing changes under it.
        const MessageBoxInfo box =
            ::WaitForMessageBox(process.Id(), kActionTimeoutMs, {window.Handle(), refused.Handle()});
        ASSERT_TRUE(box.IsFound()) << "no box for the empty number";
        EXPECT_EQ(box.text, kNotAnInteger);
        PostMidi(ProgramChange(0, 9));
        PumpMessagesFor(kQuietMs);
        EXPECT_FALSE(refused.IsChecked(kProgramEvent)) << "a capture rewrote the editor under the box";
        EXPECT_EQ(refused.Text(kNoteNumberEnd), "");
        ASSERT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
    }
    EXPECT_TRUE(refused.IsOpen()) << "OK closed the editor with an empty number";
    EXPECT_TRUE(WaitUntil([&] { return refused.FocusedWindow() == refused.Control(kNoteNumberEnd); },
                          kActionTimeoutMs))
        << "the focus is not on the empty edit";

    ASSERT_TRUE(refused.Click(kControllerEvent));
    ASSERT_NO_FATAL_FAILURE(ExpectMessageBoxAndDismiss(kNotAnInteger, {refused.Handle()}));
    EXPECT_TRUE(refused.IsOpen());
    ASSERT_NO_FATAL_FAILURE(Close(refused, false));
    EXPECT_EQ(RuleList().RowCount(), 1);

    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 1u);
    EXPECT_EQ(saved.rules[0].noteNumber, 60);
    EXPECT_EQ(saved.rules[0].noteNumberEnd, 72);
    EXPECT_EQ(saved.rules[0].ccNumber, 44);
    EXPECT_EQ(saved.rules[0].pcNumber, 5);
}
