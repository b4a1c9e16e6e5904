#include "EngineFixture.h"
#include "EngineSuspension.h"
#include "StrokeQueue.h"
#include "StringUtil.h"
#include "TimedStrokes.h"

namespace {

constexpr std::uint8_t kCtrl = CChangeTableItem::KeyFlagCtrl;
constexpr std::uint8_t kAlt = CChangeTableItem::KeyFlagAlt;

} // namespace

class TimedStrokes : public EngineTest {
protected:
    CChangeTableItem& Sequence(std::uint8_t note, const std::string& items) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::KeySequence);
        rule.NoteNumber = rule.NoteNumberEnd = note;
        rule.SetKeySequence(items);
        return rule;
    }
    CChangeTableItem& Text(std::uint8_t note, const std::string& text) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::TypeText);
        rule.NoteNumber = rule.NoteNumberEnd = note;
        rule.SetText(text);
        return rule;
    }
    CChangeTableItem& RepeatedNote(std::uint8_t note, std::uint8_t keyCode) {
        CChangeTableItem& rule = AddNoteKey(note, note, keyCode);
        rule.KeyRepeat = 1;
        return rule;
    }
    // The log with the clock's time in front of every entry written while
    // the clock ran to `ms` from now.
    Actions Timed(int ms, int step = 1) {
        Actions timed;
        for (int t = 0; t <= ms; t += step) {
            const std::size_t before = Log().size();
            if (t > 0) {
                Wait(step);
            }
            for (std::size_t i = before; i < Log().size(); ++i) {
                timed.push_back(Format("%d ", t) + Log()[i]);
            }
        }
        return timed;
    }
};

TEST_F(TimedStrokes, SequencePlaysItsStrokesWithTheGapAndItsWaits) {
    Sequence(60, "1:67 4:9 w200 1:86");
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log(), Actions{KeyAction(0x43, kCtrl)}) << "the first stroke goes out at once";
    Log().clear();
    EXPECT_EQ(Timed(400),
              (Actions{"10 " + KeyAction(0x09, kAlt), "210 " + KeyAction(0x56, kCtrl)}));
    EXPECT_EQ(actions.timerDueMs, -1) << "no timer is left set once the queue is empty";
}

TEST_F(TimedStrokes, GapIsTheRulesAndALateTimerSendsNoBurst) {
    CChangeTableItem& rule = Sequence(60, "0:65 0:66 0:67");
    rule.StrokeGap = 50;
    Send(NoteOn(0, 60));
    actions.now += 500; // the timer comes late: one stroke, then the gap again
    actions.timerDueMs = -1;
    engine.OnStrokeTimer();
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x42)}));
    Wait(49);
    EXPECT_EQ(Log().size(), 2u);
    Wait(1);
    EXPECT_EQ(Log().back(), KeyAction(0x43));
}

TEST_F(TimedStrokes, SecondTriggerQueuesBehindAndOtherRulesStrikeAtOnce) {
    Sequence(60, "0:65 w100 0:66");
    AddNoteKey(62, 62, 0x5A);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 60));
    Wait(50);
    Send(NoteOn(0, 62));
    Log().push_back("--");
    Wait(500);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x5A), "--", KeyAction(0x42),
                              KeyAction(0x41), KeyAction(0x42)}));
}

TEST_F(TimedStrokes, QueueHoldsSixteenWaitingAndTellsOnceOfTheRest) {
    Sequence(60, "0:65 w1000");
    for (int i = 0; i < 1 + CStrokeQueue::kMaxWaiting + 3; ++i) {
        Send(NoteOn(0, 60));
    }
    const std::string told = std::string("tell ") + CTimedStrokes::kDroppedText;
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), told}));
    Log().clear();
    Wait(60000);
    EXPECT_EQ(Log(), Actions(CStrokeQueue::kMaxWaiting, KeyAction(0x41)));
    // Empty again: a new overflow is told again.
    Log().clear();
    for (int i = 0; i < 1 + CStrokeQueue::kMaxWaiting + 1; ++i) {
        Send(NoteOn(0, 60));
    }
    EXPECT_EQ(Log().back(), told);
}

TEST_F(TimedStrokes, SwitchingOffSuspendingOrReleasingDropsWhatIsQueued) {
    Sequence(60, "0:65 0:66 0:67");
    AddNoteToggle(61);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 61));
    Wait(1000);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), EnabledAction(false)}));
    EXPECT_EQ(actions.timerDueMs, -1);

    Send(NoteOn(0, 61));
    Log().clear();
    Send(NoteOn(0, 60));
    {
        CEngineSuspension editorOpen(engine);
        Wait(1000);
    }
    Send(NoteOn(0, 60));
    engine.ReleaseHeldKeys(); // the device was lost, or the program ends
    Wait(1000);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x41)}));
}

TEST_F(TimedStrokes, UnreadableItemsAreSkippedAndAnEmptySequenceDoesNothing) {
    Sequence(60, "x 0:65 999:1 w0 0:66");
    Sequence(61, "");
    Send(NoteOn(0, 61));
    Send(NoteOn(0, 60));
    Wait(100);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x42)}));
}

TEST_F(TimedStrokes, TextIsTypedAsCharactersWithEnterAndTab) {
    Text(60, "aあ\r\n\tb\x01");
    Send(NoteOn(0, 60));
    Wait(100);
    EXPECT_EQ(Log(), (Actions{CharAction(u'a') + " flags 0", CharAction(u'あ') + " flags 0",
                              KeyAction(0x0D), KeyAction(0x09), CharAction(u'b') + " flags 0"}));
}

TEST_F(TimedStrokes, EveryItemKeepsTheKeysHeldRulesHoldDown) {
    CChangeTableItem& held = AddNoteKey(50, 50, 0x10);
    held.KeyHold = 1;
    Sequence(60, "1:67 0:65");
    Send(NoteOn(0, 50));
    Send(NoteOn(0, 60));
    EXPECT_EQ(actions.lastHeld, std::set<int>{0x10});
    actions.lastHeld.clear();
    Wait(100);
    EXPECT_EQ(Log().back(), KeyAction(0x41));
    EXPECT_EQ(actions.lastHeld, std::set<int>{0x10});
}

TEST_F(TimedStrokes, RepeatStrikesAfterTheDelayAtTheRateUntilTheNoteOff) {
    RepeatedNote(60, 0x28);
    actions.repeatDelaySetting = 0; // 250 ms
    actions.repeatSpeedSetting = 0; // 400 ms
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 60)); // a second note-on starts nothing
    const Actions timed = Timed(1100);
    EXPECT_EQ(timed, (Actions{"250 " + KeyAction(0x28), "650 " + KeyAction(0x28),
                              "1050 " + KeyAction(0x28)}));
    EXPECT_EQ(Log().front(), KeyAction(0x28)) << "the press strikes at once";
    Send(NoteOff(0, 60));
    Log().clear();
    Wait(5000);
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(actions.timerDueMs, -1);
}

TEST_F(TimedStrokes, RepeatStopsWithThePedalTheBendAndEveryRelease) {
    CChangeTableItem& pedal = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    pedal.CCNumber = 64;
    pedal.KeyCode = 0x41;
    pedal.KeyRepeat = 1;
    CChangeTableItem& bend = AddRule(CChangeTableItem::PitchBendPlus, CChangeTableItem::KeyInput);
    bend.KeyCode = 0x42;
    bend.KeyRepeat = 1;
    RepeatedNote(60, 0x43);

    actions.repeatDelaySetting = 0; // 250 ms
    actions.repeatSpeedSetting = 0; // 400 ms
    Controller(64, {127, 100});     // still down: no second start
    Wait(600);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x41)}));
    Controller(64, {0});
    Bend({8000});
    Bend({0});
    Log().clear();
    Wait(2000);
    EXPECT_TRUE(Log().empty());

    Send(NoteOn(0, 60));
    { CEngineSuspension tableChanged(engine); }
    Send(NoteOn(0, 60));
    engine.OnToggleEnabled();
    Log().clear();
    Wait(2000);
    EXPECT_TRUE(Log().empty()) << "suspending and switching off stop the repeat";
}

TEST_F(TimedStrokes, ProgramChangeOrHoldMakesNoRepeat) {
    CChangeTableItem& program =
        AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    program.KeyCode = 0x41;
    program.KeyRepeat = 1;
    CChangeTableItem& both = RepeatedNote(60, 0x42);
    both.KeyHold = 1;
    Send(ProgramChange(0, 0));
    Send(NoteOn(0, 60));
    Wait(2000);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeysAction("v42")}));
}

TEST(KeyboardRepeat, SettingsInMilliseconds) {
    EXPECT_EQ(KeyboardRepeatDelayMs(0), 250);
    EXPECT_EQ(KeyboardRepeatDelayMs(3), 1000);
    EXPECT_EQ(KeyboardRepeatDelayMs(-5), 250);
    EXPECT_EQ(KeyboardRepeatDelayMs(99), 1000);
    EXPECT_EQ(KeyboardRepeatIntervalMs(0), 400);
    EXPECT_EQ(KeyboardRepeatIntervalMs(31), 33);
    EXPECT_EQ(KeyboardRepeatIntervalMs(1000), 33);
    EXPECT_GT(KeyboardRepeatIntervalMs(15), KeyboardRepeatIntervalMs(16));
}
