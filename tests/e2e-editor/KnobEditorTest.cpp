// A knob turned in the rule editor becomes a direction rule with its
// encoding, and a key no keyboard has is chosen from the editor's list.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

namespace {
constexpr int kControllerUp = 1120;
constexpr int kControllerDown = 1121;
constexpr int kEncoding = 1124;
constexpr int kKeyList = 1127;
constexpr int kTwosComplement = 1;
} // namespace

class KnobEditorTest : public EditorProgramTest {};

TEST_F(KnobEditorTest, ATurnedEncoderAndAKeyFromTheListMakeTheRule) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, VK_VOLUME_UP)}));
    EXPECT_EQ(RuleRows(), std::vector<std::string>{RowText("Note# 60", "キー入力: 音量+")});

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    for (int value : {1, 1, 127}) { // right twice, then left once
        PostMidi(ControlChange(0, 20, static_cast<std::uint8_t>(value)));
    }
    EXPECT_TRUE(WaitUntil([&] { return editor.IsChecked(kControllerDown); }, kActionTimeoutMs));
    EXPECT_FALSE(editor.IsChecked(kControllerUp));
    EXPECT_EQ(editor.Text(EditorControl::kControllerNumber), "20");
    EXPECT_EQ(editor.ComboSelection(kEncoding), kTwosComplement);
    EXPECT_FALSE(editor.IsEnabled(EditorControl::kEdge));

    const LRESULT mute =
        SendMessageA(editor.Control(kKeyList), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>("ミュート"));
    ASSERT_GE(mute, 0);
    ASSERT_TRUE(editor.SetComboSelection(kKeyList, static_cast<int>(mute)));
    ASSERT_TRUE(PostMessageA(editor.Handle(), WM_COMMAND, MAKEWPARAM(kKeyList, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(editor.Control(kKeyList))));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));

    EXPECT_EQ(RuleRows(), std::vector<std::string>{
                              RowText("CC# 20 (減らした時) 相対 (2の補数)", "キー入力: ミュート")});
    EndAndReadConfig();
    const std::string path = sandbox->ConfigPath();
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "InputKind", -1, path.c_str()), 6);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "CCMode", -1, path.c_str()), 1);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "KeyCode", -1, path.c_str()), VK_VOLUME_MUTE);
    EXPECT_EQ(GetPrivateProfileIntA("TableItem000", "MouseAction", -1, path.c_str()), -1);
}
