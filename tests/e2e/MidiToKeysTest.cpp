// MIDI short messages delivered to the settings window, as a driver
// delivers them, become key strokes in the window that has the focus.
#include "E2eProgram.h"
#include "MidiMessages.h"

#include <windows.h>

class MidiToKeysTest : public E2eProgramTest {};

TEST_F(MidiToKeysTest, ANoteInTheRangeStrikesTheKeyWithItsModifiers) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 72, 'A', 1)}));
    PostToOpenedPort(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A', 1));
    PostToOpenedPort(NoteOn(5, 72));
    ExpectKeys(ExpectedStroke('A', 1));
}

TEST_F(MidiToKeysTest, NotesOutsideTheRangeAndNoteOffsStrikeNothing) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 64, 'B')}));
    PostToOpenedPort(NoteOn(0, 59));
    PostToOpenedPort(NoteOn(0, 65));
    PostToOpenedPort(NoteOff(0, 60));
    PostToOpenedPort(NoteOn(0, 62, 0)); // velocity 0 is a note-off
    // A note that does fire afterwards shows that the ones before were handled.
    PostToOpenedPort(NoteOn(0, 64));
    ExpectKeys(ExpectedStroke('B'));
}

TEST_F(MidiToKeysTest, EveryModifierCombinationArrivesInOrder) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 60, 'C', 2),
                                              ConfigRule::KeyOnNotes(61, 61, VK_F5, 7),
                                              ConfigRule::KeyOnNotes(62, 62, 'D', 4)}));
    PostToOpenedPort(NoteOn(0, 60));
    PostToOpenedPort(NoteOn(0, 61));
    PostToOpenedPort(NoteOn(0, 62));
    ExpectKeys(ExpectedStroke('C', 2) + ExpectedStroke(VK_F5, 7) + ExpectedStroke('D', 4));
}

TEST_F(MidiToKeysTest, ARuleOnOneChannelIgnoresTheOthers) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(60, 60, 'E', 0, 3)}));
    PostToOpenedPort(NoteOn(0, 60));
    PostToOpenedPort(NoteOn(3, 60));
    PostToOpenedPort(NoteOn(2, 60)); // the rule's channel 3 is index 2 on the wire
    ExpectKeys(ExpectedStroke('E'));
}

TEST_F(MidiToKeysTest, TwoMatchingRulesBothStrikeInTableOrder) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::KeyOnNotes(60, 60, 'F'), ConfigRule::KeyOnNotes(50, 70, 'G')}));
    PostToOpenedPort(NoteOn(0, 60));
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
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::KeyOnController(64, 'S', true), bendDown, bendUp, program}));

    PostToOpenedPort(ControlChange(0, 64, 0));
    PostToOpenedPort(ControlChange(0, 64, 127)); // leaves 0: fires
    PostToOpenedPort(ControlChange(0, 64, 127)); // stays up: nothing
    PostToOpenedPort(PitchBend(0, 30));          // inside the dead zone
    PostToOpenedPort(PitchBend(0, 60));          // out upwards
    PostToOpenedPort(PitchBend(0, 80));          // still out
    PostToOpenedPort(PitchBend(0, -70));         // straight across: nothing
    PostToOpenedPort(PitchBend(0, 0));
    PostToOpenedPort(PitchBend(0, -100));        // out downwards
    PostToOpenedPort(ProgramChange(0, 1));
    PostToOpenedPort(ProgramChange(0, 0));
    ExpectKeys(ExpectedStroke('S') + ExpectedStroke('P') + ExpectedStroke('M') +
               ExpectedStroke('R'));
}

TEST_F(MidiToKeysTest, MessagesThatAreNotEventsAreDropped) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({ConfigRule::KeyOnNotes(0, 127, 'H')}));
    PostToOpenedPort(ShortMessage(0xF8, 0));       // timing clock
    PostToOpenedPort(ShortMessage(0xFE, 0));       // active sensing
    PostToOpenedPort(ShortMessage(0xA0, 60, 100)); // key pressure
    PostToOpenedPort(ShortMessage(0x3C, 100));     // no status byte
    PostToOpenedPort(NoteOn(0, 60) | 0xFF000000u); // the top byte is ignored
    ExpectKeys(ExpectedStroke('H'));
}
