// The application picker opened from the rule editor's "選択..." button.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <algorithm>

using namespace EditorControl;

namespace {
std::string ThisProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

std::string FileNamePart(const std::string& path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

bool SameFile(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }
} // namespace

class AppPickerTest : public EditorProgramTest {
protected:
    DialogDriver OpenPicker(const DialogDriver& editor) {
        EXPECT_TRUE(editor.PostCommand(kSelectApplication));
        const DialogDriver picker = DialogDriver::WaitFor(process.Id(), kPickerTitle, kActionTimeoutMs);
        EXPECT_TRUE(picker.IsFound()) << "no window titled " << kPickerTitle;
        return picker;
    }
};

TEST_F(AppPickerTest, ListsEachExecutableOnceAndHandsBackTheChosenPath) {
    const std::string ownPath = ThisProgramPath();
    ASSERT_FALSE(ownPath.empty());
    std::string otherCase = ownPath;
    CharUpperA(&otherCase[0]);
    ASSERT_NE(otherCase, ownPath) << "the test's path has no lower-case letter to change";
    ConfigRule rule = ConfigRule::KeyOnNotes(60, 60, 'A');
    rule.outputKind = ConfigRule::ActivateApplication;
    rule.actExePath = otherCase;
    ASSERT_NO_FATAL_FAILURE(StartWith({rule}));
    // Two visible windows of this process.
    KeyRecorder first;
    KeyRecorder second;
    ASSERT_TRUE(IsWindowVisible(first.Handle()) && IsWindowVisible(second.Handle()));

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_EQ(editor.Text(kExeName), FileNamePart(otherCase));
    EXPECT_TRUE(editor.IsEnabled(kSelectApplication));

    const DialogDriver picker = OpenPicker(editor);
    ASSERT_TRUE(picker.IsFound());
    RemoteListView list(picker.Control(PickerControl::kList));
    ASSERT_TRUE(list.IsValid());
    const auto rows = list.Rows(2);
    int ownRow = -1;
    int ownRows = 0;
    bool programListed = false;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        if (SameFile(rows[row][1], ownPath)) {
            ownRow = static_cast<int>(row);
            ++ownRows;
        }
        programListed = programListed || SameFile(FileNamePart(rows[row][1]), "Sorbelquintaro.exe");
    }
    ASSERT_EQ(ownRows, 1) << "rows of " << ownPath << " among " << rows.size();
    EXPECT_TRUE(programListed) << "the editor's own program is not listed";
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{ownRow});
    EXPECT_TRUE(list.IsFocused(ownRow));
    const std::string listedPath = rows[ownRow][1];

    ASSERT_NO_FATAL_FAILURE(Close(picker, true));
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_TRUE(WaitUntil([&] { return editor.Text(kExeName) == FileNamePart(listedPath); },
                          kActionTimeoutMs));
    EXPECT_TRUE(editor.IsChecked(kActivate)) << "the output kind changed";
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    ASSERT_TRUE(WaitUntil(
        [&] { return RuleRows() == std::vector<std::string>{RowText("Note# 60", "アクティブ化: " + FileNamePart(listedPath))}; },
        kActionTimeoutMs))
        << RuleRows()[0];

    // A new rule has no path: nothing is preselected and OK does nothing.
    const DialogDriver added = OpenAdd();
    ASSERT_TRUE(added.IsFound());
    const DialogDriver empty = OpenPicker(added);
    ASSERT_TRUE(empty.IsFound());
    RemoteListView emptyList(empty.Control(PickerControl::kList));
    EXPECT_GT(emptyList.RowCount(), 0);
    EXPECT_EQ(emptyList.SelectedCount(), 0);
    // The editor under the picker still takes what is played.
    PostMidi(NoteOn(0, 66));
    EXPECT_TRUE(WaitUntil([&] { return added.Text(kNoteNumber) == "66"; }, kActionTimeoutMs));
    ASSERT_TRUE(empty.PressOk());
    PumpMessagesFor(kQuietMs);
    EXPECT_TRUE(empty.IsOpen()) << "OK without a row closed the picker";
    ASSERT_NO_FATAL_FAILURE(Close(empty, false));
    EXPECT_EQ(added.Text(kExeName), "");
    ASSERT_NO_FATAL_FAILURE(Close(added, false));

    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 1u);
    EXPECT_EQ(saved.rules[0].actExePath, listedPath);
    EXPECT_TRUE(SameFile(saved.rules[0].actExePath, ownPath));
}
