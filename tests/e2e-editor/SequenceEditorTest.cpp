// The rule editor's sequence list, its text to type and its repeat box.
#include "EditorProgram.h"
#include "KeyboardInput.h"
#include "Polling.h"

using namespace EditorControl;

namespace {
constexpr int kKeyHold = 1030;
constexpr int kSequence = 1140;
constexpr int kSequenceList = 1141;
constexpr int kAddKey = 1142;
constexpr int kAddWait = 1143;
constexpr int kWaitMs = 1144;
constexpr int kTypeText = 1150;
constexpr int kText = 1151;
constexpr int kKeyRepeat = 1152;

int ListCount(const DialogDriver& editor, int id) {
    return static_cast<int>(SendMessageA(editor.Control(id), LB_GETCOUNT, 0, 0));
}
} // namespace

class SequenceEditorTest : public EditorProgramTest {};

TEST_F(SequenceEditorTest, ASequenceIsPutTogetherFromCapturedKeysAndWaitsAndATextIsTyped) {
    ASSERT_NO_FATAL_FAILURE(StartWith({}));
    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    EXPECT_FALSE(editor.IsEnabled(kSequenceList));
    ASSERT_TRUE(editor.Click(kSequence));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsEnabled(kSequenceList); }, kActionTimeoutMs));
    EXPECT_FALSE(editor.IsEnabled(kText));
    ASSERT_TRUE(editor.FocusControl(kSequenceList, kActionTimeoutMs));
    ASSERT_TRUE(editor.BringToFront(kActionTimeoutMs));
    ASSERT_TRUE(TypeChord({VK_CONTROL, 'C'}));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(kKey) == 'C'; }, kActionTimeoutMs));
    EXPECT_TRUE(editor.IsChecked(kSequence)) << "a captured key keeps the sequence";
    ASSERT_TRUE(editor.Click(kAddKey));
    ASSERT_TRUE(editor.SetText(kWaitMs, "200"));
    ASSERT_TRUE(editor.Click(kAddWait));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(editor, kSequenceList) == 2; }, kActionTimeoutMs));
    ASSERT_TRUE(editor.FocusControl(kSequenceList, kActionTimeoutMs));
    ASSERT_TRUE(TypeChord({VK_SHIFT, VK_F5}));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(kKey) == VK_F5; }, kActionTimeoutMs));
    ASSERT_TRUE(editor.Click(kAddKey));
    ASSERT_TRUE(WaitUntil([&] { return ListCount(editor, kSequenceList) == 3; }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    EXPECT_EQ(RuleRows(), std::vector<std::string>{RowText("Note# 40", "Ctrl+C, 200ms, Shift+F5")});

    const DialogDriver second = OpenAdd();
    ASSERT_TRUE(second.IsFound());
    ASSERT_TRUE(second.Click(kTypeText));
    ASSERT_TRUE(WaitUntil([&] { return second.IsEnabled(kText); }, kActionTimeoutMs));
    // Enter in the text is a line break, not the dialog's OK.
    ASSERT_TRUE(second.FocusControl(kText, kActionTimeoutMs));
    ASSERT_TRUE(second.PostKey('A'));
    ASSERT_TRUE(second.PostKey(VK_RETURN));
    ASSERT_TRUE(second.PostKey('B'));
    EXPECT_TRUE(WaitUntil([&] { return second.Text(kText) == "a\r\nb"; }, kActionTimeoutMs))
        << second.Text(kText);
    EXPECT_TRUE(second.IsOpen());
    ASSERT_TRUE(second.SetText(kText, "お世話に\r\nなっております"));
    ASSERT_TRUE(second.Click(kKeyRepeat)); // not for a text
    ASSERT_NO_FATAL_FAILURE(Close(second, true));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 2; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows().back(), RowText("Note# 40", "テキスト: お世話に なっております"));

    const DialogDriver third = OpenAdd();
    ASSERT_TRUE(third.IsFound());
    ASSERT_TRUE(third.Click(kKeyRepeat));
    ASSERT_TRUE(WaitUntil([&] { return third.IsChecked(kKeyRepeat); }, kActionTimeoutMs));
    ASSERT_TRUE(third.Click(kKeyHold));
    EXPECT_TRUE(WaitUntil([&] { return !third.IsChecked(kKeyRepeat); }, kActionTimeoutMs))
        << "hold and repeat exclude each other";
    ASSERT_TRUE(third.Click(kKeyRepeat));
    EXPECT_TRUE(WaitUntil([&] { return !third.IsChecked(kKeyHold); }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(third, true));

    EndAndReadConfig();
    const std::string path = sandbox->ConfigPath();
    char value[256] = {};
    GetPrivateProfileStringA("TableItem000", "KeySequence", "", value, sizeof value, path.c_str());
    EXPECT_STREQ(value, "1:67 w200 2:116");
    GetPrivateProfileStringA("TableItem001", "Text", "", value, sizeof value, path.c_str());
    EXPECT_STREQ(value, "お世話に___LF___なっております");
    EXPECT_EQ(GetPrivateProfileIntA("TableItem001", "KeyRepeat", -1, path.c_str()), -1);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem002", "KeyRepeat", -1, path.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem002", "KeyHold", -1, path.c_str()), -1);
}
