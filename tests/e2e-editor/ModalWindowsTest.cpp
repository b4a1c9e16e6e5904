// The tray's commands while the rule editor is open: no second modal window
// opens over it, and an Exit waits until the editor is closed.
#include "EditorProgram.h"
#include "Polling.h"
#include "Windows.h"

namespace {
bool IsVersionBox(HWND window) {
    return IsDialogTitled(window, "バージョン情報") && IsWindowVisible(window);
}
} // namespace

class ModalWindowsTest : public EditorProgramTest {};

TEST_F(ModalWindowsTest, TheVersionCommandOpensNothingOverTheEditorAndExitWaitsForIt) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, 'A')}));
    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kVersionCommand));
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(WaitForTopLevelWindow(process.Id(), IsVersionBox, 0), nullptr)
        << "the version box opened over the editor";
    EXPECT_FALSE(FindMessageBox(process.Id(), {window.Handle(), editor.Handle()}).IsFound());
    EXPECT_TRUE(editor.IsOpen());

    // The end waits for the editor, which stays as the user left it.
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    PumpMessagesFor(kQuietMs);
    EXPECT_TRUE(process.IsRunning());
    EXPECT_TRUE(editor.IsOpen());
    ASSERT_TRUE(editor.PressCancel());
    ExpectExit();
    EXPECT_EQ(sandbox->ReadConfig().rules.size(), 1u);
}
