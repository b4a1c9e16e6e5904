#include "E2eProgram.h"

#include "Polling.h"

std::string ProgramUnderTest() { return BesideTestProgram("under-test\\Sorbelquintaro.exe"); }
std::string FakeWinmmUnderTest() { return BesideTestProgram("under-test\\winmm.dll"); }

void E2eProgramTest::SetUp() {
    sandbox = std::make_unique<ProgramSandbox>(ProgramUnderTest(), FakeWinmmUnderTest());
    ASSERT_TRUE(sandbox->IsReady()) << "cannot set up " << ProgramUnderTest();
}

void E2eProgramTest::Start() {
    ASSERT_TRUE(sandbox->Start(process)) << "cannot start " << sandbox->ExePath();
    window = SettingsWindow::WaitFor(process.Id(), kStartTimeoutMs);
    ASSERT_TRUE(window.IsFound()) << "no window titled \"" << SettingsWindow::kTitlePrefix << "...\"";
}

void E2eProgramTest::StartAndWaitVisible() {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
}

void E2eProgramTest::ExpectExit() {
    if (!process.WaitForExit(kExitTimeoutMs)) {
        process.Kill();
        ADD_FAILURE() << "the program did not end within " << kExitTimeoutMs << " ms";
    }
}

void E2eProgramTest::FocusRecorder() {
    if (!recorder) {
        recorder = std::make_unique<KeyRecorder>();
    }
    ASSERT_NE(recorder->Handle(), nullptr);
    // A program that has just come up may still activate its own window a
    // moment after it became visible; the focus counts once it stays put.
    bool settled = false;
    for (int attempt = 0; attempt < 10 && !settled; ++attempt) {
        ASSERT_TRUE(recorder->TakeFocus(kActionTimeoutMs))
            << "the test window cannot take the focus";
        PumpMessagesFor(kSettleMs);
        settled = recorder->HasFocus();
    }
    ASSERT_TRUE(settled) << "the test window keeps losing the focus";
    recorder->Clear();
}

void E2eProgramTest::StartFocusedWith(const std::vector<ConfigRule>& rules) {
    Config config;
    config.rules = rules;
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
}

void E2eProgramTest::ExpectKeys(const std::vector<KeyEvent>& expected) {
    ASSERT_TRUE(recorder);
    recorder->WaitForEvents(expected.size(), kActionTimeoutMs);
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(Describe(recorder->Events()), Describe(expected));
    recorder->Clear();
}

MessageBoxInfo E2eProgramTest::WaitForMessageBox(unsigned timeoutMs) {
    return ::WaitForMessageBox(process.Id(), timeoutMs, {window.Handle()});
}

void E2eProgramTest::ExpectNoMessageBox() {
    PumpMessagesFor(kQuietMs);
    const MessageBoxInfo box = FindMessageBox(process.Id(), {window.Handle()});
    EXPECT_FALSE(box.IsFound()) << "unexpected box \"" << box.caption << "\": " << box.text;
}

std::uintptr_t E2eProgramTest::OpenedPortHandle() const {
    std::uintptr_t handle = 0x7777;
    for (const FakeWinmmCall& call : sandbox->Midi().Calls("midiInOpen")) {
        if (call.Has("handle")) {
            handle = static_cast<std::uintptr_t>(call.Number("handle"));
        }
    }
    return handle;
}

void E2eProgramTest::PostToOpenedPort(std::uint32_t message) {
    ASSERT_TRUE(window.PostMidi(OpenedPortHandle(), message));
}
