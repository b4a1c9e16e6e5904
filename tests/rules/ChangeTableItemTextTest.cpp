#include "ChangeTableItem.h"
#include "LayerNames.h"

#include <gtest/gtest.h>

using Item = CChangeTableItem;

TEST(ChangeTableItemText, DefaultRule) {
    Item item;
    EXPECT_EQ(item.GetInputText(), "Note# 40");
    EXPECT_EQ(item.GetOutputText(), "キー入力: [Code:0]");
}

TEST(ChangeTableItemText, NoteRangesKeepStoredOrder) {
    Item item;
    item.NoteNumber = 60;
    item.NoteNumberEnd = 72;
    EXPECT_EQ(item.GetInputText(), "Note# 60～72");
    EXPECT_EQ(item.GetInputText(), "Note# 60\x81\x60"
                                   "72");
    item.NoteNumber = 72;
    item.NoteNumberEnd = 60;
    EXPECT_EQ(item.GetInputText(), "Note# 72～60");
}

TEST(ChangeTableItemText, InputKindsWithChannelPrefix) {
    Item item;
    item.InputCh = 10;
    item.InputKind = Item::ControlChange;
    item.CCNumber = 64;
    item.CCFlag = 1;
    EXPECT_EQ(item.GetInputText(), "Ch.10 CC# 64 (値が0から1以上へ変化した時)");
    item.CCFlag = 2;
    EXPECT_EQ(item.GetInputText(), "Ch.10 CC# 64");

    item.InputCh = 3;
    item.InputKind = Item::PitchBendMinus;
    EXPECT_EQ(item.GetInputText(), "Ch.3 PitchBend -");
    item.InputKind = Item::PitchBendPlus;
    EXPECT_EQ(item.GetInputText(), "Ch.3 PitchBend +");

    item.InputCh = 0;
    item.InputKind = Item::ProgramChange;
    item.PCNumber = 5;
    item.PCRange = 1;
    EXPECT_EQ(item.GetInputText(), "PC# 5");
}

TEST(ChangeTableItemText, UnknownInputKind) {
    Item item;
    item.InputKind = 7;
    item.InputCh = 2;
    EXPECT_EQ(item.GetInputText(), "Ch.2 ");
    item.InputCh = 0;
    EXPECT_EQ(item.GetInputText(), "");
}

TEST(ChangeTableItemText, KeyInputModifiersInFixedOrder) {
    Item item;
    item.KeyCode = 0x41;
    item.KeyFlag = 7;
    EXPECT_EQ(item.GetOutputText(), "キー入力: Ctrl+Shift+Alt+A");
    item.KeyFlag = 0xF8;
    EXPECT_EQ(item.GetOutputText(), "キー入力: A");
    item.KeyFlag = 4 | 2;
    item.KeyCode = 0x26;
    EXPECT_EQ(item.GetOutputText(), "キー入力: Shift+Alt+↑");
    item.KeyHold = 1;
    EXPECT_EQ(item.GetOutputText(), "キー入力: Shift+Alt+↑ (押している間)");
    item.InputKind = Item::ProgramChange;
    EXPECT_EQ(item.GetOutputText(), "キー入力: Shift+Alt+↑");
    item.InputKind = 7; // from a hand-edited file: nothing releases it either
    EXPECT_EQ(item.GetOutputText(), "キー入力: Shift+Alt+↑");
}

TEST(ChangeTableItemText, OtherOutputKinds) {
    Item item;
    item.OutputKind = Item::ActivateApplication;
    EXPECT_EQ(item.GetOutputText(), "アクティブ化: ");
    item.SetActExePath("D:\\Tools\\app.exe");
    EXPECT_EQ(item.GetOutputText(), "アクティブ化: app.exe");
    // A trail byte 0x5C ("表") is not a path separator.
    item.SetActExePath("C:\\表\\ソフト.exe");
    EXPECT_EQ(item.GetOutputText(), "アクティブ化: ソフト.exe");
    item.SetActExePath("C:\\dir\\表");
    EXPECT_EQ(item.GetOutputText(), "アクティブ化: 表");
    item.ActLaunch = 1;
    EXPECT_EQ(item.GetOutputText(), "アクティブ化: 表 (起動)");
    item.OutputKind = Item::ToggleEnabled;
    EXPECT_EQ(item.GetOutputText(), "Sorbelquintaroの有効/無効 切り替え")
        << "the start flag belongs to activations only";
    item.OutputKind = 9;
    EXPECT_EQ(item.GetOutputText(), "");
}

TEST(ChangeTableItemText, LayersAreNamedByTheUsersNamesOrTheirNumbers) {
    CLayerNames names;
    ASSERT_TRUE(names.Set(2, "編集"));
    Item item;
    item.NoteNumber = item.NoteNumberEnd = 60;
    EXPECT_EQ(item.GetInputText(names), "Note# 60");
    item.Layer = 2;
    EXPECT_EQ(item.GetInputText(names), "Note# 60 <編集>");
    item.Layer = 3;
    item.SetForeExePath("C:\\Tools\\Paint.exe");
    EXPECT_EQ(item.GetInputText(names), "Note# 60 <レイヤー 3> [Paint.exe]");

    item.OutputKind = Item::SwitchLayer;
    item.LayerTarget = 2;
    EXPECT_EQ(item.GetOutputText(names), "レイヤー: 編集 へ");
    item.LayerAction = Item::HoldLayer;
    EXPECT_EQ(item.GetOutputText(names), "レイヤー: 編集 (押している間)");
    item.LayerAction = Item::NextLayer;
    EXPECT_EQ(item.GetOutputText(names), "レイヤー: 次");
    item.LayerAction = Item::PreviousLayer;
    EXPECT_EQ(item.GetOutputText(names), "レイヤー: 前");
    item.LayerAction = 7;
    EXPECT_EQ(item.GetOutputText(names), "レイヤー: [Action:7]");
}

TEST(LayerNames, LineBreaksAndNumbersBeyondTheLayersAreRefused) {
    CLayerNames names;
    EXPECT_FALSE(names.Set(1, "a\r\nb"));
    EXPECT_FALSE(names.Set(0, "x"));
    EXPECT_FALSE(names.Set(17, "x"));
    EXPECT_EQ(names.NamedMask(), 0u);
    const std::string longName(300, 'n');
    EXPECT_TRUE(names.Set(16, longName));
    EXPECT_EQ(names.Display(16), longName);
    EXPECT_EQ(names.Display(17), "レイヤー 17");
    EXPECT_EQ(names.NamedMask(), 1u << 16);
}

TEST(ChangeTableItemText, KnobDirectionsNameTheirEncoding) {
    Item item;
    item.InputKind = Item::ControlChangeUp;
    item.CCNumber = 10;
    EXPECT_EQ(item.GetInputText(), "CC# 10 (増やした時)");
    item.InputKind = Item::ControlChangeDown;
    item.InputCh = 2;
    item.CCMode = Item::CCModeTwosComplement;
    EXPECT_EQ(item.GetInputText(), "Ch.2 CC# 10 (減らした時) 相対 (2の補数)");
    item.CCMode = Item::CCModeBinaryOffset;
    EXPECT_EQ(item.GetInputText(), "Ch.2 CC# 10 (減らした時) 相対 (64基準)");
    item.CCMode = Item::CCModeSignBit;
    EXPECT_EQ(item.GetInputText(), "Ch.2 CC# 10 (減らした時) 相対 (符号ビット)");
    item.CCMode = 9;
    EXPECT_EQ(item.GetInputText(), "Ch.2 CC# 10 (減らした時) [方式9]");
}

TEST(ChangeTableItemText, MouseActionsWithModifiersAndHold) {
    Item item;
    item.OutputKind = Item::MouseInput;
    EXPECT_EQ(item.GetOutputText(), "マウス: ホイール上");
    item.KeyFlag = Item::KeyFlagCtrl;
    item.MouseAction = Item::WheelDown;
    EXPECT_EQ(item.GetOutputText(), "マウス: Ctrl+ホイール下");
    item.MouseAction = Item::LeftButton;
    item.KeyHold = 1;
    EXPECT_EQ(item.GetOutputText(), "マウス: Ctrl+左ボタン (押している間)");
    item.MouseAction = Item::WheelRight; // a wheel is turned, never held
    EXPECT_EQ(item.GetOutputText(), "マウス: Ctrl+ホイール右");
    item.MouseAction = 9;
    EXPECT_EQ(item.GetOutputText(), "マウス: Ctrl+[Action:9]");
}

TEST(ChangeTableItemText, RuleForOneApplicationNamesItsFile) {
    Item item;
    item.NoteNumber = item.NoteNumberEnd = 60;
    item.SetForeExePath("C:\\Program Files\\Adobe\\Photoshop.exe");
    EXPECT_EQ(item.GetInputText(), "Note# 60 [Photoshop.exe]");
    item.InputCh = 2;
    item.SetForeExePath("予定表.exe");
    EXPECT_EQ(item.GetInputText(), "Ch.2 Note# 60 [予定表.exe]");
}

TEST(ChangeTableItemApplication, FileNameInAnyFolderOrThatPathIgnoringCase) {
    Item item;
    EXPECT_FALSE(item.IsForApplication("C:\\a\\paint.exe")) << "empty: not limited";
    item.SetForeExePath("Paint.exe");
    EXPECT_TRUE(item.IsForApplication("C:\\Program Files\\Paint 2\\PAINT.EXE"));
    EXPECT_TRUE(item.IsForApplication("D:/v3/paint.exe"));
    EXPECT_FALSE(item.IsForApplication("C:\\a\\paint.exe.bak"));
    EXPECT_FALSE(item.IsForApplication(""));
    item.SetForeExePath("C:\\Office\\Writer.exe");
    EXPECT_TRUE(item.IsForApplication("c:\\office\\WRITER.EXE"));
    EXPECT_TRUE(item.IsForApplication("\\\\?\\C:\\Office\\Writer.exe"));
    EXPECT_FALSE(item.IsForApplication("D:\\Office\\Writer.exe"));
    EXPECT_FALSE(item.IsForApplication("Writer.exe"));
    // The trail byte of "ソ" is 0x5C: still a file name, not a path.
    item.SetForeExePath("ソフト.exe");
    EXPECT_TRUE(item.IsForApplication("C:\\表\\ソフト.EXE"));
    EXPECT_FALSE(item.IsForApplication("C:\\表\\\x83\x5C\x83\x74\x83\x67.exe.old"));
}
