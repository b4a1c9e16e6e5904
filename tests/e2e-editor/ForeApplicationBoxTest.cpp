// The rule editor's box that limits a rule to the program in front, with the
// edit for its path and the picker that fills it.
#include "EditorProgram.h"
#include "Polling.h"

namespace {
constexpr int kForeOnly = 1100;
constexpr int kForePath = 1101;
constexpr int kForeBrowse = 1102;
constexpr const char* kNoApplication = "前面のアプリのパスかファイル名を入力してください。";

std::string FileNamePart(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}
} // namespace

class ForeApplicationBoxTest : public EditorProgramTest {};

TEST_F(ForeApplicationBoxTest, TheBoxTheEditAndThePickerWriteTheApplicationBack) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, 'A')}));
    const KeyRecorder visibleWindow; // so that the picker lists this program
    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_FALSE(editor.IsChecked(kForeOnly));
    EXPECT_FALSE(editor.IsEnabled(kForePath));

    ASSERT_TRUE(editor.Click(kForeOnly));
    EXPECT_TRUE(WaitUntil([&] { return editor.IsEnabled(kForePath); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.PressOk());
    ASSERT_NO_FATAL_FAILURE(ExpectMessageBoxAndDismiss(kNoApplication, {editor.Handle()}));
    EXPECT_TRUE(editor.IsOpen()) << "checked without an application, OK closed the editor";

    ASSERT_TRUE(editor.PostCommand(kForeBrowse));
    const DialogDriver picker = DialogDriver::WaitFor(process.Id(), kPickerTitle, kActionTimeoutMs);
    ASSERT_TRUE(picker.IsFound());
    RemoteListView list(picker.Control(PickerControl::kList));
    ASSERT_TRUE(list.IsValid());
    const auto rows = list.Rows(2);
    int programRow = -1;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (_stricmp(FileNamePart(rows[row][1]).c_str(), "Sorbelquintaro.exe") == 0) {
            programRow = static_cast<int>(row);
        }
    }
    ASSERT_GE(programRow, 0);
    const std::string chosen = rows[programRow][1];
    ASSERT_TRUE(list.Select({programRow}));
    ASSERT_NO_FATAL_FAILURE(Close(picker, true));
    EXPECT_TRUE(WaitUntil([&] { return editor.Text(kForePath) == chosen; }, kActionTimeoutMs));
    EXPECT_TRUE(editor.IsChecked(kForeOnly));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    EXPECT_EQ(RuleRows().front(),
              RowText("Note# 60 [" + FileNamePart(chosen) + "]", "キー入力: A"));

    // A file name typed in the edit stands for the program in any folder.
    const DialogDriver again = OpenEditOf(0);
    ASSERT_TRUE(again.IsFound());
    EXPECT_TRUE(again.IsChecked(kForeOnly));
    ASSERT_TRUE(again.SetText(kForePath, "Paint.exe"));
    ASSERT_NO_FATAL_FAILURE(Close(again, true));
    EXPECT_EQ(RuleRows().front(), RowText("Note# 60 [Paint.exe]", "キー入力: A"));

    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 1u);
    EXPECT_EQ(saved.rules[0].foreExePath, "Paint.exe");
}
