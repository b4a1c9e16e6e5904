// The MIDI monitor opened from the tray menu: what came in and what the
// program did with it, and the rows copied to the clipboard.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "RemoteListView.h"
#include "Windows.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {
constexpr WORD kMonitorCommand = 32780; // "MIDI モニター(&M)..." of the tray menu
constexpr int kMonitorList = 1202;
constexpr int kCopyButton = 1203;
constexpr int kDoneColumn = 5;
constexpr int kColumns = 6;

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}
} // namespace

class MonitorTest : public E2eProgramTest {};

TEST_F(MonitorTest, ListsWhatCameAndWhatWasDoneAndCopiesIt) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 60, 'A')}));
    ASSERT_TRUE(window.PostCommand(kMonitorCommand));
    HWND monitor = WaitForTopLevelWindow(
        process.Id(),
        [](HWND w) { return IsWindowVisible(w) && IsDialogTitled(w, "MIDI モニター"); },
        kActionTimeoutMs);
    ASSERT_NE(monitor, nullptr) << "no monitor window after the tray menu item";
    // The monitor does not stop the conversion: the key goes to the window
    // in front.
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 60)));
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 61)));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand));
    ASSERT_TRUE(window.PostMidi(0x1000, NoteOn(0, 60)));
    ExpectKeys(ExpectedStroke('A'));

    RemoteListView list(GetDlgItem(monitor, kMonitorList));
    ASSERT_TRUE(list.IsValid());
    // The list is drawn at most every 50 ms.
    ASSERT_TRUE(WaitUntil([&] { return list.RowCount() == 3; }, kActionTimeoutMs))
        << "rows: " << list.RowCount();
    const std::vector<std::vector<std::string>> rows = list.Rows(kColumns);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Note# 60", "1行目 キー入力: A"}, {"Note# 61", "該当なし"}, {"Note# 60", "無効中"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(rows[i][2], "1");
        EXPECT_EQ(rows[i][3], expected[i].first);
        EXPECT_EQ(rows[i][4], "100");
        EXPECT_EQ(rows[i][kDoneColumn], expected[i].second);
    }

    ASSERT_TRUE(PostMessageA(monitor, WM_COMMAND, MAKEWPARAM(kCopyButton, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(monitor, kCopyButton))));
    std::string copied;
    ASSERT_TRUE(WaitUntil([&] { return (copied = ClipboardText()).find("無効中") != std::string::npos; },
                          kActionTimeoutMs))
        << copied;
    std::string wanted = "時刻\tデバイス\tCh\t種類\t値\t処理\r\n";
    for (const auto& row : rows) {
        for (int column = 0; column < kColumns; ++column) {
            wanted += (column > 0 ? "\t" : "") + row[column];
        }
        wanted += "\r\n";
    }
    EXPECT_EQ(copied, wanted);
}
