// A flood of MIDI input as a busy device produces it: clock and active
// sensing bytes, pressure messages and, among them, notes that strike a key.
// The program keeps answering its window messages all the while and strikes
// exactly one key per matching note, nothing else.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "RemoteListView.h"
#include "Windows.h"

#include <windows.h>

#include <commctrl.h>

namespace {

constexpr int kMessages = 100000;
// One in this many messages is a note that matches the rule.
constexpr int kNoteEvery = 100;
constexpr int kMatchingNotes = kMessages / kNoteEvery;
// Between two checks that the program still answers.
constexpr int kCheckEvery = 500;
// A sent message must be answered within this; it is a bound on how long
// the program may leave its queue unattended, not a speed target.
constexpr UINT kAnswerMs = 100;
constexpr unsigned kDrainTimeoutMs = 120000;
constexpr WORD kMonitorCommand = 32780;
constexpr int kMonitorList = 1202;
constexpr int kRecordCapacity = 1000;

// Everything else a device sends that must never strike a key.
std::uint32_t Filler(int i) {
    switch (i % 8) {
    case 0: return ShortMessage(0xF8, 0);                     // timing clock
    case 1: return ShortMessage(0xFE, 0);                     // active sensing
    case 2: return ShortMessage(0xD0 | (i % 16), i % 128);    // channel pressure
    case 3: return ShortMessage(0xA0 | (i % 16), 60, i % 128); // key pressure on the note
    case 4: return NoteOn(i % 16, 61);                         // a note beside the rule
    case 5: return NoteOff(i % 16, 60);
    case 6: return NoteOn(i % 16, 60, 0);                      // a note-off in disguise
    default: return ShortMessage(0xF8, 0);
    }
}

std::uint32_t FloodMessage(int i) {
    return i % kNoteEvery == kNoteEvery - 1 ? NoteOn(i % 16, 60, 1 + i % 127) : Filler(i);
}

void PumpWaiting() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

class MidiFloodTest : public E2eProgramTest {
protected:
    // Posts, and when the queue is full waits a little and tries again.
    void PostRetrying(std::uint32_t message) {
        for (int attempt = 0; !window.PostMidi(port, message); ++attempt) {
            ASSERT_LT(attempt, 10000) << "the queue stayed full, error " << GetLastError();
            ++queueFull;
            Sleep(1);
        }
    }
    void CheckAnswers() {
        DWORD_PTR result = 0;
        ++checks;
        ASSERT_NE(SendMessageTimeoutA(window.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs,
                                      &result),
                  0)
            << "no answer within " << kAnswerMs << " ms at check " << checks;
    }

    void Flood(bool withMonitor);

    std::uintptr_t port = 0;
    int queueFull = 0;
    int checks = 0;
    HWND monitor = nullptr;
};

TEST_F(MidiFloodTest, StaysResponsiveAndStrikesOneKeyPerMatchingNote) {
    Flood(false);
}

// The monitor open through the flood: the program answers as before, and
// the list ends with the newest of the last 1,000 messages in view.
TEST_F(MidiFloodTest, StaysResponsiveWithTheMonitorOpen) {
    Flood(true);
}

void MidiFloodTest::Flood(bool withMonitor) {
    Config config;
    config.rules = {ConfigRule::KeyOnNotes(60, 60, 'A')};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    if (withMonitor) {
        ASSERT_TRUE(window.PostCommand(kMonitorCommand));
        monitor = WaitForTopLevelWindow(
            process.Id(),
            [](HWND w) { return IsWindowVisible(w) && IsDialogTitled(w, "MIDI モニター"); },
            kActionTimeoutMs);
        ASSERT_NE(monitor, nullptr);
    }
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    port = OpenedPortHandle();
    const DWORD start = GetTickCount();

    for (int i = 0; i < kMessages; ++i) {
        ASSERT_NO_FATAL_FAILURE(PostRetrying(FloodMessage(i)));
        if (i % kCheckEvery == 0) {
            ASSERT_NO_FATAL_FAILURE(CheckAnswers());
            PumpWaiting(); // the recorder takes its keys meanwhile
        }
    }
    ASSERT_NO_FATAL_FAILURE(CheckAnswers());

    std::vector<KeyEvent> expected;
    for (int i = 0; i < kMatchingNotes; ++i) {
        expected = expected + ExpectedStroke('A');
    }
    recorder->WaitForEvents(expected.size(), kDrainTimeoutMs);
    PumpMessagesFor(kQuietMs);
    const std::vector<KeyEvent>& events = recorder->Events();
    EXPECT_EQ(events.size(), expected.size());
    for (std::size_t i = 0; i < events.size() && i < expected.size(); ++i) {
        ASSERT_EQ(Describe(events[i]), Describe(expected[i])) << "at key event " << i;
    }
    EXPECT_TRUE(recorder->HasFocus()) << "the focus moved during the flood";
    RecordProperty("QueueFullRetries", queueFull);
    std::printf("[ flood    ] %d messages%s, %d answer checks, %d retries on a full queue, "
                "%lu ms until the last key\n",
                kMessages, withMonitor ? " with the monitor open" : "", checks, queueFull,
                static_cast<unsigned long>(GetTickCount() - start));
    if (withMonitor) {
        RemoteListView list(GetDlgItem(monitor, kMonitorList));
        ASSERT_TRUE(list.IsValid());
        ASSERT_TRUE(WaitUntil([&] { return list.RowCount() == kRecordCapacity; }, kActionTimeoutMs));
        const int top = static_cast<int>(SendMessageA(list.Handle(), LVM_GETTOPINDEX, 0, 0));
        const int perPage =
            static_cast<int>(SendMessageA(list.Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
        EXPECT_GE(top + perPage, kRecordCapacity) << "the newest row is out of view";
        // The last message of the flood is a note that struck A.
        EXPECT_EQ(list.Text(kRecordCapacity - 1, 3), "Note# 60");
        EXPECT_EQ(list.Text(kRecordCapacity - 1, 5), "1行目 キー入力: A");
    }

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    EXPECT_EQ(sandbox->ReadConfig().rules.size(), 1u);
}
