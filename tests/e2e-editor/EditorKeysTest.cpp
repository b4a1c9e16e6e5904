// Keys in the rule editor: outside the number edits every key is captured,
// Enter, Esc, Tab and Alt+F4 too; inside them the dialog keys work.
#include "EditorProgram.h"
#include "KeyboardInput.h"
#include "Polling.h"
#include "Windows.h"

using namespace EditorControl;

class EditorKeysTest : public EditorProgramTest {
protected:
    void ExpectCapturedKey(const DialogDriver& editor, int virtualKey) {
        EXPECT_TRUE(WaitUntil([&] { return editor.ComboSelection(kKey) == virtualKey; },
                              kActionTimeoutMs))
            << "key " << virtualKey << " not captured";
        EXPECT_TRUE(editor.IsOpen());
    }
};

TEST_F(EditorKeysTest, DialogKeysAreCapturedOutsideTheEditsAndActInsideThem) {
    ASSERT_NO_FATAL_FAILURE(StartWith({}));
    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    ASSERT_TRUE(editor.FocusControl(kShift, kActionTimeoutMs));

    ASSERT_TRUE(editor.PostKey(VK_RETURN));
    ExpectCapturedKey(editor, VK_RETURN);
    ASSERT_TRUE(editor.PostKey(VK_ESCAPE));
    ExpectCapturedKey(editor, VK_ESCAPE);
    ASSERT_TRUE(editor.PostKey(VK_TAB));
    ExpectCapturedKey(editor, VK_TAB);
    EXPECT_EQ(editor.FocusedWindow(), editor.Control(kShift)) << "Tab moved the focus";
    EXPECT_FALSE(editor.IsChecked(kShift)) << "a captured key also reached the check box";

    ASSERT_TRUE(editor.Click(kActivate));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsChecked(kActivate); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.BringToFront(kActionTimeoutMs));
    ASSERT_TRUE(TypeChord({VK_MENU, VK_F4}));
    ExpectCapturedKey(editor, VK_F4);
    EXPECT_TRUE(editor.IsChecked(kAlt));
    EXPECT_FALSE(editor.IsChecked(kControl));
    EXPECT_TRUE(editor.IsChecked(kKeyInput)) << "a captured key chooses the key stroke";
    // Modifiers alone change nothing. The next key goes the same way as
    // them, since posted keys would overtake real input.
    ASSERT_TRUE(TypeChord({VK_SHIFT}));
    ASSERT_TRUE(TypeChord({VK_CONTROL}));
    ASSERT_TRUE(TypeChord({VK_F2}));
    ExpectCapturedKey(editor, VK_F2);
    EXPECT_FALSE(editor.IsChecked(kAlt));
    EXPECT_FALSE(editor.IsChecked(kShift));
    EXPECT_FALSE(editor.IsChecked(kControl));

    // Enter in a number edit is the dialog's OK.
    ASSERT_TRUE(editor.FocusControl(kNoteNumber, kActionTimeoutMs));
    ASSERT_TRUE(editor.PostKey(VK_RETURN));
    ASSERT_TRUE(editor.WaitUntilClosed(kActionTimeoutMs)) << "Enter in the edit did not close";
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 1; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows(), std::vector<std::string>{RowText("Note# 40", "キー入力: F2")});

    // Esc in a number edit is the dialog's Cancel.
    const DialogDriver second = OpenAdd();
    ASSERT_TRUE(second.IsFound());
    ASSERT_TRUE(second.FocusControl(kNoteNumberEnd, kActionTimeoutMs));
    ASSERT_TRUE(second.PostKey('7')); // typed over the selected text
    EXPECT_TRUE(WaitUntil([&] { return second.Text(kNoteNumberEnd) == "7"; }, kActionTimeoutMs))
        << second.Text(kNoteNumberEnd);
    EXPECT_EQ(second.ComboSelection(kKey), 0) << "a key in the edit was captured";
    ASSERT_TRUE(second.PostKey(VK_ESCAPE));
    ASSERT_TRUE(second.WaitUntilClosed(kActionTimeoutMs)) << "Esc in the edit did not cancel";
    EXPECT_EQ(RuleList().RowCount(), 1);
    EXPECT_EQ(RuleRows(), std::vector<std::string>{RowText("Note# 40", "キー入力: F2")});
}
