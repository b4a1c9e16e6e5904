// Every change reaches Config.ini at once: a program that is killed (crash,
// task manager, power cut) keeps what its window showed.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

namespace {

// Returns once the program has handled everything posted to it so far:
// a message sent from another thread is taken only between two handlers.
bool WaitUntilHandled(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kActionTimeoutMs, &ignored) != 0;
}

} // namespace

class ChangesKeptTest : public EditorProgramTest {
protected:
    void AddNote60Rule() {
        const DialogDriver editor = OpenAdd();
        ASSERT_TRUE(editor.IsFound());
        PostMidi(NoteOn(0, 60));
        ASSERT_TRUE(WaitUntil([&] { return editor.Text(EditorControl::kNoteNumber) == "60"; },
                              kActionTimeoutMs));
        const int rows = RuleList().RowCount();
        ASSERT_NO_FATAL_FAILURE(Close(editor, true));
        ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == rows + 1; }, kActionTimeoutMs));
        ASSERT_TRUE(WaitUntilHandled(window.Handle()));
    }

    std::vector<std::string> Balloons() const {
        std::vector<std::string> texts;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
            if (!call.Text("info").empty()) {
                texts.push_back(call.Text("info"));
            }
        }
        return texts;
    }

    const ConfigRule existing = ConfigRule::KeyOnNotes(40, 40, 'Z');
    const ConfigRule added = ConfigRule::KeyOnNotes(60, 60, 0);
};

TEST_F(ChangesKeptTest, AnAddedRuleOutlivesAKill) {
    ASSERT_NO_FATAL_FAILURE(StartWith({existing}));
    ASSERT_NO_FATAL_FAILURE(AddNote60Rule());
    ASSERT_TRUE(process.Kill());
    EXPECT_EQ(sandbox->ReadConfig().rules, (std::vector<ConfigRule>{existing, added}));
    EXPECT_FALSE(FileExists(sandbox->ConfigPath() + ".new"));
}

TEST_F(ChangesKeptTest, ADeletedRuleStaysGoneAfterAKill) {
    const std::vector<ConfigRule> rules = {ConfigRule::KeyOnNotes(40, 40, 'A'),
                                           ConfigRule::KeyOnNotes(41, 41, 'B'),
                                           ConfigRule::KeyOnNotes(42, 42, 'C')};
    ASSERT_NO_FATAL_FAILURE(StartWith(rules));
    ASSERT_TRUE(RuleList().Select({1}));
    ASSERT_TRUE(window.PostCommand(SettingsControl::kDelete));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 2; }, kActionTimeoutMs));
    ASSERT_TRUE(WaitUntilHandled(window.Handle()));
    ASSERT_TRUE(process.Kill());
    EXPECT_EQ(sandbox->ReadConfig().rules, (std::vector<ConfigRule>{rules[0], rules[2]}));
}

TEST_F(ChangesKeptTest, AReadOnlyConfigIniIsToldOnceAndTheTableStays) {
    ASSERT_NO_FATAL_FAILURE(StartWith({existing}));
    const std::string before = ReadFileBytes(sandbox->ConfigPath());
    ASSERT_TRUE(sandbox->SetConfigReadOnly(true));

    ASSERT_NO_FATAL_FAILURE(AddNote60Rule());
    ASSERT_NO_FATAL_FAILURE(AddNote60Rule());
    ASSERT_TRUE(RuleList().Select({0}));
    ASSERT_TRUE(window.PostCommand(SettingsControl::kDelete));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 2; }, kActionTimeoutMs));
    ASSERT_TRUE(WaitUntilHandled(window.Handle()));

    const std::string path = sandbox->ConfigPath();
    EXPECT_EQ(Balloons(), std::vector<std::string>{"設定ファイル[" + path +
                                                   "]に変更を保存できませんでした。次に変更したとき"
                                                   "と終了するときに、もう一度保存します。"});
    // The table in memory holds the two added rules, not the file's one.
    EXPECT_EQ(RuleList().Text(0, 0), "Note# 60");
    EXPECT_EQ(RuleList().Text(1, 0), "Note# 60");
    EXPECT_EQ(ReadFileBytes(path), before);

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    const MessageBoxInfo box = WaitForMessageBox();
    ASSERT_TRUE(box.IsFound()) << "the failed save at the end was not reported";
    EXPECT_EQ(box.text, "設定ファイル[" + path + "]の保存に失敗しました。");
    EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
    ExpectExit();
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Balloons().size(), 1u);
}
