// Rules limited to the program in front: the test's own window and the
// program's settings window take turns in front, each a program of its own.
#include "E2eProgram.h"
#include "KeyboardHook.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

class ForeApplicationTest : public E2eProgramTest {};

TEST_F(ForeApplicationTest, OnlyTheRuleOfTheProgramInFrontFiresElseTheGeneralOne) {
    char ownPath[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    ASSERT_TRUE(length > 0 && length < MAX_PATH);
    ConfigRule forThisProgram = ConfigRule::KeyOnNotes(60, 60, 'A');
    forThisProgram.foreExePath = ownPath;
    ASSERT_NO_FATAL_FAILURE(
        StartFocusedWith({forThisProgram, ConfigRule::KeyOnNotes(60, 60, 'B')}));
    PostToOpenedPort(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));

    const KeyboardHook hook;
    ASSERT_TRUE(hook.IsSet());
    ASSERT_TRUE(SetForegroundWindow(window.Handle()));
    ASSERT_TRUE(
        WaitUntil([&] { return GetForegroundWindow() == window.Handle(); }, kActionTimeoutMs));
    PostToOpenedPort(NoteOn(0, 60));
    EXPECT_TRUE(WaitUntil([] { return KeyboardHook::SawRelease('B'); }, kActionTimeoutMs));
    PumpMessagesFor(kQuietMs);
    EXPECT_FALSE(KeyboardHook::SawRelease('A')) << "the rule of the test's program fired";
    EXPECT_TRUE(recorder->Events().empty());
}
