#pragma once
#include "KeyRecorder.h"
#include "MessageBoxes.h"
#include "ProgramSandbox.h"
#include "SettingsWindow.h"

#include <gtest/gtest.h>

#include <memory>

// Time limits: generous for Wine on a busy machine, short enough that a hang
// fails quickly.
constexpr unsigned kStartTimeoutMs = 20000;
constexpr unsigned kActionTimeoutMs = 5000;
constexpr unsigned kExitTimeoutMs = 10000;
// How long to watch for something that must not happen.
constexpr unsigned kQuietMs = 500;
// How long the focus must stay before keys are sent to it.
constexpr unsigned kSettleMs = 200;

// The copy of the program this test binary drives, beside it in under-test.
std::string ProgramUnderTest();
std::string FakeWinmmUnderTest();

// One installation of the program in a fresh directory, started and driven
// by a test, killed at the end if it still runs.
class E2eProgramTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Starts the program and waits for its settings window to be created.
    void Start();
    // Start, then wait until the window is on screen.
    void StartAndWaitVisible();
    // Waits for the process to end on its own; fails and kills it otherwise.
    void ExpectExit();

    // Makes the test's key-recording window the focused foreground window.
    void FocusRecorder();
    // Writes a table of `rules`, starts the program and focuses the recorder.
    void StartFocusedWith(const std::vector<ConfigRule>& rules);
    // Waits for the recorder to receive `expected`, then a little longer, so
    // that extra keys show as well.
    void ExpectKeys(const std::vector<KeyEvent>& expected);
    // A message box of the program other than its settings window.
    MessageBoxInfo WaitForMessageBox(unsigned timeoutMs = kActionTimeoutMs);
    void ExpectNoMessageBox();

    // The port handle the fake gave the last port it opened (a made-up one
    // when none was opened: the program does not look at it).
    std::uintptr_t OpenedPortHandle() const;
    // A short message on that port, delivered as its driver delivers it.
    void PostToOpenedPort(std::uint32_t message);

    std::unique_ptr<ProgramSandbox> sandbox;
    ProgramProcess process;
    SettingsWindow window;
    std::unique_ptr<KeyRecorder> recorder;
};
