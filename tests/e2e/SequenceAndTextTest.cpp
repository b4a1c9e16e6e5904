// Several strokes from one pad: a sequence with its waits, a text typed as
// its characters, a key repeated while the pad is held, and other rules
// striking while a sequence plays.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

#include <algorithm>

namespace {

ConfigRule SequenceOnNote(std::uint8_t note, const std::string& items) {
    ConfigRule rule = ConfigRule::KeyOnNotes(note, note, 0);
    rule.outputKind = ConfigRule::KeySequence;
    rule.keySequence = items;
    return rule;
}

std::size_t CountDowns(const std::vector<KeyEvent>& events, UINT virtualKey) {
    return static_cast<std::size_t>(
        std::count_if(events.begin(), events.end(),
                      [&](const KeyEvent& e) { return e.down && e.virtualKey == virtualKey; }));
}

} // namespace

class SequenceAndTextTest : public E2eProgramTest {};

TEST_F(SequenceAndTextTest, ASequenceStrikesItsKeysInOrderWithItsWaits) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({SequenceOnNote(60, "0:65 2:66 w300 0:67")}));
    PostToOpenedPort(NoteOn(0, 60));
    const std::vector<KeyEvent> expected =
        ExpectedStroke('A') + ExpectedStroke('B', 2) + ExpectedStroke('C');
    ASSERT_TRUE(recorder->WaitForEvents(expected.size(), kActionTimeoutMs));
    const std::vector<KeyEvent> events = recorder->Events();
    ExpectKeys(expected);
    ASSERT_EQ(events.size(), expected.size());
    // The last release of B (Shift) and the press of C lie the wait apart
    // (less a timer tick); A and B only the gap.
    EXPECT_GE(events[6].atMs - events[5].atMs, 280u);
    EXPECT_LT(events[2].atMs - events[1].atMs, 280u);
}

TEST_F(SequenceAndTextTest, ATextArrivesAsItsCharactersWithItsLineBreakAndTab) {
    ConfigRule rule = ConfigRule::KeyOnNotes(60, 60, 0);
    rule.outputKind = ConfigRule::TypeText;
    rule.text = "aあ漢\r\n\tz";
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({rule}));
    PostToOpenedPort(NoteOn(0, 60));
    const std::u16string expected = u"aあ漢\r\tz";
    EXPECT_TRUE(
        WaitUntil([&] { return recorder->Typed().size() >= expected.size(); }, kActionTimeoutMs));
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(recorder->Typed(), expected);
    EXPECT_EQ(CountDowns(recorder->Events(), VK_RETURN), 1u);
    EXPECT_EQ(CountDowns(recorder->Events(), VK_TAB), 1u);
}

TEST_F(SequenceAndTextTest, AHeldPadRepeatsItsKeyUntilTheNoteOffAndNotAfter) {
    ConfigRule rule = ConfigRule::KeyOnNotes(60, 60, 'R');
    rule.keyRepeat = true;
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({rule}));
    PostToOpenedPort(NoteOn(0, 60));
    // The first stroke at once, then more after the keyboard's repeat delay.
    EXPECT_TRUE(WaitUntil([&] { return CountDowns(recorder->Events(), 'R') >= 4; }, 3000));
    PostToOpenedPort(NoteOff(0, 60));
    PumpMessagesFor(100);
    const std::size_t atRelease = CountDowns(recorder->Events(), 'R');
    PumpMessagesFor(1000);
    EXPECT_EQ(CountDowns(recorder->Events(), 'R'), atRelease) << "nothing after the note-off";
    const std::vector<KeyEvent>& events = recorder->Events();
    ASSERT_FALSE(events.empty());
    EXPECT_FALSE(events.back().down) << "the last stroke went up too";
    EXPECT_EQ(GetAsyncKeyState('R') & 0x8000, 0);
}

TEST_F(SequenceAndTextTest, ANoteDuringAPlayingSequenceStrikesItsOwnKeyAtOnce) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {SequenceOnNote(60, "0:65 w1500 0:66"), ConfigRule::KeyOnNotes(62, 62, 'Z')}));
    PostToOpenedPort(NoteOn(0, 60));
    ASSERT_TRUE(recorder->WaitForEvents(2, kActionTimeoutMs));
    PostToOpenedPort(NoteOn(0, 62));
    ExpectKeys(ExpectedStroke('A') + ExpectedStroke('Z') + ExpectedStroke('B'));
}
