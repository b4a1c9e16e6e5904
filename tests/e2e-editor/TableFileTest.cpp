// Writing the table to a file and reading one back through the settings
// window's buttons and the standard file dialogs.
#include "EditorProgram.h"
#include "MessageBoxes.h"
#include "Polling.h"
#include "Windows.h"

#include <fstream>

namespace {
constexpr int kExportButton = 1271;
constexpr int kImportButton = 1272;
// The file name box of the standard dialogs: the combo box of the
// Explorer-style dialog (cmb13), or a plain edit (edt1).
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;
} // namespace

class TableFileTest : public EditorProgramTest {
protected:
    // Waits for the program's open or save dialog, types the path and
    // presses its OK button, as the user does.
    void ChooseFile(const std::string& path) {
        const HWND dialog = WaitForTopLevelWindow(
            process.Id(),
            [&](HWND w) {
                return w != window.Handle() && IsWindowVisible(w) && WindowClass(w) == "#32770" &&
                       (GetDlgItem(w, kFileNameCombo) != nullptr ||
                        GetDlgItem(w, kFileNameEdit) != nullptr);
            },
            kActionTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        // A drop-down combo box takes the text into its edit.
        HWND name = GetDlgItem(dialog, kFileNameEdit);
        if (name == nullptr) {
            name = GetDlgItem(dialog, kFileNameCombo);
        }
        ASSERT_NE(name, nullptr) << "no file name box";
        ASSERT_TRUE(SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())));
        const DialogDriver driver(dialog);
        ASSERT_TRUE(driver.Click(IDOK));
        if (!driver.WaitUntilClosed(kActionTimeoutMs)) {
            std::string shown;
            EnumWindows(
                [](HWND w, LPARAM out) -> BOOL {
                    if (IsWindowVisible(w)) {
                        *reinterpret_cast<std::string*>(out) +=
                            "[" + WindowClass(w) + " " + WindowText(w) + "]";
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&shown));
            FAIL() << "the file dialog stays open: " << WindowText(name) << " " << shown;
        }
    }
    // Waits for the box of the program and answers it with `button`.
    MessageBoxInfo Answer(int button) {
        const MessageBoxInfo box =
            ::WaitForMessageBox(process.Id(), kActionTimeoutMs, {window.Handle()});
        EXPECT_TRUE(box.IsFound());
        if (box.IsFound()) {
            EXPECT_TRUE(DialogDriver(box.window).PostCommand(button));
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }, kActionTimeoutMs));
        }
        return box;
    }
    std::string InSandbox(const std::string& name) const {
        std::string path = sandbox->Directory();
        if (!path.empty() && path.back() != '\\') {
            path += '\\';
        }
        return path + name;
    }
    int SavedRuleCount() const {
        return static_cast<int>(
            GetPrivateProfileIntA("General", "TableItemCount", -1, sandbox->ConfigPath().c_str()));
    }
};

TEST_F(TableFileTest, ATableWrittenToAFileIsReadBackAddedOrInPlaceOfTheTable) {
    ConfigRule onLayer = ConfigRule::KeyOnNotes(61, 61, 'B');
    onLayer.layer = 2;
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}}));
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, 'A'), onLayer}, "Keys"));
    const std::string shared = InSandbox("共有.ini");

    ASSERT_TRUE(window.PostCommand(kExportButton));
    ASSERT_NO_FATAL_FAILURE(ChooseFile(shared));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(shared); }, kActionTimeoutMs)) << "not written";
    char device[64] = {};
    GetPrivateProfileStringA("General", "MidiInDevice", "(none)", device, sizeof device,
                             shared.c_str());
    EXPECT_STREQ(device, "(none)") << "another computer names its own devices";
    EXPECT_EQ(GetPrivateProfileIntA("TableItem001", "Layer", 0, shared.c_str()), 2);

    // Added at the end: "いいえ".
    ASSERT_TRUE(window.PostCommand(kImportButton));
    ASSERT_NO_FATAL_FAILURE(ChooseFile(shared));
    const MessageBoxInfo question = Answer(IDNO);
    EXPECT_NE(question.text.find("置き換えますか"), std::string::npos) << question.text;
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 4; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows().back(), RowText("Note# 61 <レイヤー 2>", "キー入力: B"));
    EXPECT_TRUE(WaitUntil([&] { return SavedRuleCount() == 4; }, kActionTimeoutMs))
        << "saved at once";

    // In place of the table: "はい".
    ASSERT_TRUE(window.PostCommand(kImportButton));
    ASSERT_NO_FATAL_FAILURE(ChooseFile(shared));
    Answer(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 2; }, kActionTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return SavedRuleCount() == 2; }, kActionTimeoutMs));

    // A file without a table changes nothing and says so.
    const std::string other = InSandbox("other.ini");
    std::ofstream(other, std::ios::binary) << "[Other]\r\nA=1\r\n";
    ASSERT_TRUE(window.PostCommand(kImportButton));
    ASSERT_NO_FATAL_FAILURE(ChooseFile(other));
    Answer(IDYES);
    const MessageBoxInfo refused = Answer(IDOK);
    EXPECT_NE(refused.text.find("変換テーブルがありません"), std::string::npos) << refused.text;
    EXPECT_EQ(RuleList().RowCount(), 2);

    const Config saved = EndAndReadConfig();
    EXPECT_EQ(saved.midiInDevice, "Keys") << "the device stays this computer's";
    EXPECT_EQ(saved.rules.size(), 2u);
}
