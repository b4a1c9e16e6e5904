// Layers in the settings window: their names in a dialog of their own,
// saved at once, and a rule that switches the layer made in the editor.
#include "EditorProgram.h"
#include "Polling.h"

namespace {
constexpr int kLayerNamesButton = 1279;
constexpr int kFirstLayerName = 1280;
constexpr int kRuleLayer = 1274;
constexpr int kSwitchLayer = 1275;
constexpr int kLayerAction = 1276;
constexpr int kLayerTarget = 1278;
const char kLayerNamesTitle[] = "レイヤー名";

void Choose(const DialogDriver& dialog, int combo, int entry) {
    ASSERT_TRUE(dialog.SetComboSelection(combo, entry));
    ASSERT_TRUE(PostMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(dialog.Control(combo))));
}
} // namespace

class LayerEditorTest : public EditorProgramTest {
protected:
    std::string Saved(const char* section, const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA(section, key, "(none)", value, sizeof value,
                                 sandbox->ConfigPath().c_str());
        return value;
    }
};

TEST_F(LayerEditorTest, ALayerIsNamedAndARuleHoldingItIsMadeInTheEditor) {
    ASSERT_NO_FATAL_FAILURE(StartWith({}));

    ASSERT_TRUE(window.PostCommand(kLayerNamesButton));
    const DialogDriver names =
        DialogDriver::WaitFor(process.Id(), kLayerNamesTitle, kActionTimeoutMs);
    ASSERT_TRUE(names.IsFound());
    EXPECT_EQ(names.Text(kFirstLayerName + 1), "");
    ASSERT_TRUE(names.SetText(kFirstLayerName + 1, "編集"));
    ASSERT_NO_FATAL_FAILURE(Close(names, true));
    ASSERT_TRUE(
        WaitUntil([&] { return Saved("General", "LayerName2") == "編集"; }, kActionTimeoutMs))
        << "not saved at once";

    const DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    EXPECT_EQ(editor.ComboSelection(kRuleLayer), 0) << "すべてのレイヤー";
    EXPECT_FALSE(editor.IsEnabled(kLayerAction));
    ASSERT_TRUE(editor.Click(kSwitchLayer));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsEnabled(kLayerAction); }, kActionTimeoutMs));
    EXPECT_EQ(editor.ComboSelection(kLayerAction), 0) << "go to the layer";
    ASSERT_NO_FATAL_FAILURE(Choose(editor, kLayerAction, 1)); // while held: a note has a release
    ASSERT_NO_FATAL_FAILURE(Choose(editor, kLayerTarget, 1)); // layer 2
    ASSERT_NO_FATAL_FAILURE(Choose(editor, kRuleLayer, 3));   // acts on layer 3 only
    ASSERT_TRUE(WaitUntil([&] { return editor.IsEnabled(kLayerTarget); }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 1; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows(), std::vector<std::string>{
                              RowText("Note# 40 <レイヤー 3>", "レイヤー: 編集 (押している間)")});

    EndAndReadConfig();
    EXPECT_EQ(Saved("TableItem000", "OutputKind"), "4");
    EXPECT_EQ(Saved("TableItem000", "LayerAction"), "1");
    EXPECT_EQ(Saved("TableItem000", "LayerTarget"), "2");
    EXPECT_EQ(Saved("TableItem000", "Layer"), "3");
    EXPECT_EQ(Saved("TableItem000", "KeyRepeat"), "(none)");
}
