// The MIDI monitor opened from the tray menu: what came in and what the
// program did with it, and the rows copied to the clipboard.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "RemoteListView.h"
#include "Windows.h"

#include <windows.h>

#include <commctrl.h>

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

class MonitorTest : public E2eProgramTest {
protected:
    HWND OpenMonitor() {
        EXPECT_TRUE(window.PostCommand(kMonitorCommand));
        return WaitForTopLevelWindow(
            process.Id(),
            [](HWND w) { return IsWindowVisible(w) && IsDialogTitled(w, "MIDI モニター"); },
            kActionTimeoutMs);
    }
    // Controller messages that all read differently in the list.
    void PostControllers(int first, int count) {
        for (int i = first; i < first + count; ++i) {
            ASSERT_TRUE(window.PostMidi(0x1000, ControlChange(0, static_cast<std::uint8_t>(i % 100),
                                                              static_cast<std::uint8_t>(i / 100))));
        }
    }
    static int TopRow(HWND list) {
        return static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    }
};

TEST_F(MonitorTest, ListsWhatCameAndWhatWasDoneAndCopiesIt) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 60, 'A')}));
    HWND monitor = OpenMonitor();
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
    // Reading the clipboard holds it: the program's copy could find it taken.
    PumpMessagesFor(300);
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

// While the user reads older rows of a full record, new messages neither
// pull the view to the bottom nor slide other messages under it; back at
// the bottom, the view follows the newest again.
TEST_F(MonitorTest, AViewScrolledUpStaysOnItsMessages) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND monitor = OpenMonitor();
    ASSERT_NE(monitor, nullptr);
    RemoteListView list(GetDlgItem(monitor, kMonitorList));
    ASSERT_TRUE(list.IsValid());
    ASSERT_NO_FATAL_FAILURE(PostControllers(0, 1000));
    // The list asks for its texts when read: the record is complete once its
    // newest row holds the last message sent, and drawn a moment later.
    ASSERT_TRUE(WaitUntil([&] { return list.Text(999, 3) == "CC# 99" && list.RowCount() == 1000; },
                          kActionTimeoutMs));
    PumpMessagesFor(300);

    SendMessageA(list.Handle(), LVM_ENSUREVISIBLE, 0, FALSE);
    SendMessageA(list.Handle(), LVM_ENSUREVISIBLE, 400, FALSE);
    const int top = TopRow(list.Handle());
    ASSERT_GT(top, 100);
    const std::vector<std::string> readBefore = {list.Text(top, 3), list.Text(top, 4)};
    ASSERT_NO_FATAL_FAILURE(PostControllers(1000, 50));
    ASSERT_TRUE(WaitUntil([&] { return list.Text(999, 3) == "CC# 49" && list.Text(999, 4) == "10"; },
                          kActionTimeoutMs));
    PumpMessagesFor(300);
    EXPECT_EQ(TopRow(list.Handle()), top - 50);
    EXPECT_EQ((std::vector<std::string>{list.Text(top - 50, 3), list.Text(top - 50, 4)}), readBefore);

    SendMessageA(list.Handle(), LVM_ENSUREVISIBLE, 999, FALSE);
    ASSERT_NO_FATAL_FAILURE(PostControllers(1050, 1));
    ASSERT_TRUE(WaitUntil([&] { return list.Text(999, 3) == "CC# 50"; }, kActionTimeoutMs));
    PumpMessagesFor(300);
    const int perPage = static_cast<int>(SendMessageA(list.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_GE(TopRow(list.Handle()) + perPage, 1000) << "not following the newest";
}
