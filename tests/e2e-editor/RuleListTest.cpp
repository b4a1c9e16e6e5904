// The settings window's Edit and Delete buttons and the list's double click.
#include "EditorProgram.h"
#include "Polling.h"

class RuleListTest : public EditorProgramTest {
protected:
    void ExpectSelectOneMessage() {
        const MessageBoxInfo box = WaitForMessageBox();
        ASSERT_TRUE(box.IsFound()) << "no message";
        EXPECT_EQ(box.text, kSelectOneRow);
        EXPECT_EQ(box.caption, "Sorbelquintaro");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"OK"}));
        EXPECT_TRUE(box.hasIcon);
        EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
    }
    void PressEdit() { ASSERT_TRUE(window.PostCommand(SettingsControl::kEdit)); }
    void PressDelete() { ASSERT_TRUE(window.PostCommand(SettingsControl::kDelete)); }
    // A double click below the last row.
    void DoubleClickBelowTheRows() {
        RECT client = {};
        ASSERT_TRUE(GetClientRect(RuleList().Handle(), &client));
        const LPARAM point = MAKELPARAM(10, client.bottom - 5);
        ASSERT_TRUE(PostMessageA(RuleList().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, point));
        ASSERT_TRUE(PostMessageA(RuleList().Handle(), WM_LBUTTONUP, 0, point));
    }
};

TEST_F(RuleListTest, EditWantsOneRowAndDeleteRemovesEverySelectedRow) {
    std::vector<ConfigRule> rules;
    for (std::uint8_t i = 0; i < 5; ++i) {
        rules.push_back(ConfigRule::KeyOnNotes(61 + i, 61 + i, 'B' + i));
    }
    ASSERT_NO_FATAL_FAILURE(StartWith(rules));
    const std::vector<std::string> rows = RuleRows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], RowText("Note# 61", "キー入力: B"));

    ASSERT_TRUE(RuleList().Select({}));
    PressDelete(); // nothing selected: nothing happens
    PressEdit();
    ASSERT_NO_FATAL_FAILURE(ExpectSelectOneMessage());
    EXPECT_EQ(RuleRows(), rows);

    ASSERT_TRUE(RuleList().Select({1, 3}));
    PressEdit();
    ASSERT_NO_FATAL_FAILURE(ExpectSelectOneMessage());

    ASSERT_TRUE(RuleList().Select({}));
    ASSERT_NO_FATAL_FAILURE(DoubleClickBelowTheRows());
    ASSERT_NO_FATAL_FAILURE(ExpectSelectOneMessage());
    EXPECT_EQ(RuleRows(), rows);

    // A double click with one row selected edits that row, wherever it is.
    ASSERT_TRUE(RuleList().Select({2}));
    ASSERT_NO_FATAL_FAILURE(DoubleClickBelowTheRows());
    const DialogDriver editor = DialogDriver::WaitFor(process.Id(), kEditTitle, kActionTimeoutMs);
    ASSERT_TRUE(editor.IsFound()) << "the double click opened no editor";
    EXPECT_EQ(editor.Text(EditorControl::kNoteNumber), "63");
    ASSERT_NO_FATAL_FAILURE(Close(editor, false));

    ASSERT_TRUE(RuleList().Select({1, 3}));
    PressDelete();
    const std::vector<std::string> left = {rows[0], rows[2], rows[4]};
    EXPECT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 3; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows(), left);
    EXPECT_EQ(RuleList().SelectedCount(), 0);

    EXPECT_EQ(EndAndReadConfig().rules, (std::vector<ConfigRule>{rules[0], rules[2], rules[4]}));
}

// The list draws its rows from the table only when asked: rows far below the
// visible ones, never drawn, read right as another program reads them, after
// a deletion and after a restart.
TEST_F(RuleListTest, EveryRowReadsRightBeyondTheVisibleOnesAndAfterARestart) {
    std::vector<ConfigRule> rules;
    for (int i = 0; i < 200; ++i) {
        rules.push_back(ConfigRule::KeyOnNotes(static_cast<std::uint8_t>(i % 128),
                                               static_cast<std::uint8_t>(i % 128),
                                               static_cast<std::uint8_t>('A' + i % 26)));
    }
    ASSERT_NO_FATAL_FAILURE(StartWith(rules));
    std::vector<std::string> rows = RuleRows();
    ASSERT_EQ(rows.size(), 200u);
    EXPECT_EQ(rows[199], RowText("Note# 71", "キー入力: R"));

    ASSERT_TRUE(RuleList().Select({0, 198}));
    PressDelete();
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 198; }, kActionTimeoutMs));
    rows.erase(rows.begin() + 198);
    rows.erase(rows.begin());
    EXPECT_EQ(RuleRows(), rows);

    const Config saved = EndAndReadConfig();
    ASSERT_NO_FATAL_FAILURE(StartWith(saved.rules));
    EXPECT_EQ(RuleRows(), rows);
}
