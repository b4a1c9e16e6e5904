// The rule editor's check box that lets an activation rule start its
// program when it is not running.
#include "EditorProgram.h"
#include "Polling.h"

namespace {
constexpr int kStartWhenNotRunning = 1031;
} // namespace

class StartCheckBoxTest : public EditorProgramTest {};

TEST_F(StartCheckBoxTest, GoesWithTheActivationControlsAndIsSavedOnlyWhenChecked) {
    ConfigRule activation;
    activation.outputKind = ConfigRule::ActivateApplication;
    activation.noteNumber = activation.noteNumberEnd = 60;
    activation.actExePath = "C:\\Tools\\app.exe";
    ASSERT_NO_FATAL_FAILURE(StartWith({activation, activation}));

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_TRUE(editor.IsEnabled(kStartWhenNotRunning));
    EXPECT_FALSE(editor.IsChecked(kStartWhenNotRunning));
    ASSERT_TRUE(editor.Click(EditorControl::kKeyInput));
    EXPECT_TRUE(
        WaitUntil([&] { return !editor.IsEnabled(kStartWhenNotRunning); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.Click(EditorControl::kActivate));
    EXPECT_TRUE(
        WaitUntil([&] { return editor.IsEnabled(kStartWhenNotRunning); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.Click(kStartWhenNotRunning));
    EXPECT_TRUE(
        WaitUntil([&] { return editor.IsChecked(kStartWhenNotRunning); }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));

    EXPECT_EQ(RuleRows(),
              (std::vector<std::string>{RowText("Note# 60", "アクティブ化: app.exe (起動)"),
                                        RowText("Note# 60", "アクティブ化: app.exe")}));
    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 2u);
    EXPECT_EQ(saved.rules[0], activation) << "the other fields stay as they were";
    const std::string path = sandbox->ConfigPath();
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "ActLaunch", -1, path.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem001", "ActLaunch", -1, path.c_str()), -1);
}
