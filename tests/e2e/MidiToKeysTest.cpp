// MIDI short messages delivered to the settings window, as a driver
// delivers them, become key strokes in the window that has the focus.
#include "E2eProgram.h"
#include "MidiMessages.h"

#include <windows.h>

class MidiToKeysTest : public E2eProgramTest {
protected:
    void StartWith(const std::vector<ConfigRule>& rules) {
        Config config;
        config.rules = rules;
        ASSERT_TRUE(sandbox->WriteConfig(config));
        ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
        ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    }
    void Post(std::uint32_t message) { ASSERT_TRUE(window.PostMidi(OpenedPortHandle(), message)); }
};

TEST_F(MidiToKeysTest, ANoteInTheRangeStrikesTheKeyWithItsModifiers) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 72, 'A', 1)}));
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A', 1));
    Post(NoteOn(5, 72));
    ExpectKeys(ExpectedStroke('A', 1));
}

TEST_F(MidiToKeysTest, NotesOutsideTheRangeAndNoteOffsStrikeNothing) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 64, 'B')}));
    Post(NoteOn(0, 59));
    Post(NoteOn(0, 65));
    Post(NoteOff(0, 60));
    Post(NoteOn(0, 62, 0)); // velocity 0 is a note-off
    // A note that does fire afterwards shows that the ones before were handled.
    Post(NoteOn(0, 64));
    ExpectKeys(ExpectedStroke('B'));
}

TEST_F(MidiToKeysTest, EveryModifierCombinationArrivesInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, 'C', 2),
                                       ConfigRule::KeyOnNotes(61, 61, VK_F5, 7),
                                       ConfigRule::KeyOnNotes(62, 62, 'D', 4)}));
    Post(NoteOn(0, 60));
    Post(NoteOn(0, 61));
    Post(NoteOn(0, 62));
    ExpectKeys(ExpectedStroke('C', 2) + ExpectedStroke(VK_F5, 7) + ExpectedStroke('D', 4));
}

TEST_F(MidiToKeysTest, ARuleOnOneChannelIgnoresTheOthers) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(60, 60, 'E', 0, 3)}));
    Post(NoteOn(0, 60));
    Post(NoteOn(3, 60));
    Post(NoteOn(2, 60)); // the rule's channel 3 is index 2 on the wire
    ExpectKeys(ExpectedStroke('E'));
}

TEST_F(MidiToKeysTest, TwoMatchingRulesBothStrikeInTableOrder) {
    ASSERT_NO_FATAL_FAILURE(StartWith(
        {ConfigRule::KeyOnNotes(60, 60, 'F'), ConfigRule::KeyOnNotes(50, 70, 'G')}));
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('F') + ExpectedStroke('G'));
}

TEST_F(MidiToKeysTest, ControllerPitchBendAndProgramRulesStrikeTheirKeys) {
    ConfigRule bendDown;
    bendDown.inputKind = ConfigRule::PitchBendMinus;
    bendDown.keyCode = 'M';
    ConfigRule bendUp;
    bendUp.inputKind = ConfigRule::PitchBendPlus;
    bendUp.keyCode = 'P';
    ConfigRule program;
    program.inputKind = ConfigRule::ProgramChange;
    program.pcNumber = 1;
    program.pcRange = 1; // shown as 1, received as 0
    program.keyCode = 'R';
    ASSERT_NO_FATAL_FAILURE(StartWith(
        {ConfigRule::KeyOnController(64, 'S', true), bendDown, bendUp, program}));

    Post(ControlChange(0, 64, 0));
    Post(ControlChange(0, 64, 127)); // leaves 0: fires
    Post(ControlChange(0, 64, 127)); // stays up: nothing
    Post(PitchBend(0, 30));          // inside the dead zone
    Post(PitchBend(0, 60));          // out upwards
    Post(PitchBend(0, 80));          // still out
    Post(PitchBend(0, -70));         // straight across: nothing
    Post(PitchBend(0, 0));
    Post(PitchBend(0, -100));        // out downwards
    Post(ProgramChange(0, 1));
    Post(ProgramChange(0, 0));
    ExpectKeys(ExpectedStroke('S') + ExpectedStroke('P') + ExpectedStroke('M') +
               ExpectedStroke('R'));
}

TEST_F(MidiToKeysTest, MessagesThatAreNotEventsAreDropped) {
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnNotes(0, 127, 'H')}));
    Post(ShortMessage(0xF8, 0));       // timing clock
    Post(ShortMessage(0xFE, 0));       // active sensing
    Post(ShortMessage(0xA0, 60, 100)); // key pressure
    Post(ShortMessage(0x3C, 100));     // no status byte
    Post(NoteOn(0, 60) | 0xFF000000u); // the top byte is ignored
    ExpectKeys(ExpectedStroke('H'));
}
