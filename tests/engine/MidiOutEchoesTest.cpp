#include "MidiMessages.h"
#include "MidiOutEchoes.h"

#include <gtest/gtest.h>

TEST(MidiOutEchoesTest, AMessageSentWithinTheLast100msIsAnEchoOnItsOwnSlotOnly) {
    CMidiOutEchoes echoes;
    echoes.Sent(1, NoteOn(0, 36, 127), 1000, 0);
    EXPECT_FALSE(echoes.IsEcho(2, NoteOn(0, 36, 127), 1010)) << "another device";
    EXPECT_FALSE(echoes.IsEcho(1, NoteOn(0, 36, 100), 1010)) << "the user's own press";
    EXPECT_TRUE(echoes.IsEcho(1, NoteOn(0, 36, 127), 1050));
    EXPECT_FALSE(echoes.IsEcho(1, NoteOn(0, 36, 127), 1060)) << "one sent, one echo";

    echoes.Sent(1, NoteOn(0, 37, 127), 2000, 0);
    EXPECT_FALSE(echoes.IsEcho(1, NoteOn(0, 37, 127), 2101)) << "too late";
    // Behind a backlog it goes out later, and its echo comes later.
    echoes.Sent(1, NoteOn(0, 38, 127), 3000, 80);
    EXPECT_TRUE(echoes.IsEcho(1, NoteOn(0, 38, 127), 3170));
    EXPECT_EQ(echoes.EchoCount(), 2);

    EXPECT_TRUE(CMidiOutEchoes::IsRelease(NoteOff(0, 36)));
    EXPECT_TRUE(CMidiOutEchoes::IsRelease(NoteOn(0, 36, 0)));
    EXPECT_TRUE(CMidiOutEchoes::IsRelease(ControlChange(0, 64, 0)));
    EXPECT_FALSE(CMidiOutEchoes::IsRelease(NoteOn(0, 36, 1)));
    EXPECT_FALSE(CMidiOutEchoes::IsRelease(ControlChange(0, 64, 127)));
}
