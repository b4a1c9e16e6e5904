// A flood of MIDI input as a busy device produces it: clock and active
// sensing bytes, pressure messages and, among them, notes that strike a key.
// The program keeps answering its window messages all the while and strikes
// exactly one key per matching note, nothing else.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

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

    std::uintptr_t port = 0;
    int queueFull = 0;
    int checks = 0;
};

TEST_F(MidiFloodTest, StaysResponsiveAndStrikesOneKeyPerMatchingNote) {
    Config config;
    config.rules = {ConfigRule::KeyOnNotes(60, 60, 'A')};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    port = OpenedPortHandle();

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
    std::printf("[ flood    ] %d messages, %d answer checks, %d retries on a full queue\n",
                kMessages, checks, queueFull);

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    EXPECT_EQ(sandbox->ReadConfig().rules.size(), 1u);
}
