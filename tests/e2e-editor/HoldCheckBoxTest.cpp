// The rule editor's check box that holds a key as long as the input is held,
// and the release of a held key when an editor opens.
#include "EditorProgram.h"
#include "KeyboardHook.h"
#include "MidiMessages.h"
#include "Polling.h"

namespace {
constexpr int kHoldKey = 1030;
} // namespace

class HoldCheckBoxTest : public EditorProgramTest {};

TEST_F(HoldCheckBoxTest, OpeningTheEditorReleasesAHeldKeyAndTheBoxFollowsTheInputKind) {
    ConfigRule held = ConfigRule::KeyOnNotes(60, 60, 'A');
    held.keyHold = true;
    const KeyboardHook hook;
    ASSERT_TRUE(hook.IsSet());
    ASSERT_NO_FATAL_FAILURE(StartWith({held, ConfigRule::KeyOnNotes(61, 61, 'B')}));
    EXPECT_EQ(RuleRows(), (std::vector<std::string>{RowText("Note# 60", "キー入力: A (押している間)"),
                                                    RowText("Note# 61", "キー入力: B")}));
    ASSERT_TRUE(window.PostMidi(OpenedPortHandle(), NoteOn(0, 60)));
    ASSERT_TRUE(WaitUntil([] { return (GetAsyncKeyState('A') & 0x8000) != 0; }, kActionTimeoutMs));
    ASSERT_FALSE(KeyboardHook::SawRelease('A'));

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_TRUE(WaitUntil([] { return KeyboardHook::SawRelease('A'); }, kActionTimeoutMs))
        << "no key stays down while the editor is open";
    EXPECT_TRUE(editor.IsEnabled(kHoldKey));
    EXPECT_TRUE(editor.IsChecked(kHoldKey));
    ASSERT_TRUE(editor.Click(EditorControl::kProgramEvent));
    EXPECT_TRUE(WaitUntil([&] { return !editor.IsEnabled(kHoldKey); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.Click(EditorControl::kControllerEvent));
    EXPECT_TRUE(WaitUntil([&] { return editor.IsEnabled(kHoldKey); }, kActionTimeoutMs));
    ASSERT_TRUE(editor.Click(EditorControl::kNoteEvent));
    ASSERT_TRUE(editor.Click(kHoldKey));
    EXPECT_TRUE(WaitUntil([&] { return !editor.IsChecked(kHoldKey); }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));

    EXPECT_EQ(RuleRows().front(), RowText("Note# 60", "キー入力: A"));
    EndAndReadConfig();
    const std::string path = sandbox->ConfigPath();
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "KeyHold", -1, path.c_str()), -1);
}
