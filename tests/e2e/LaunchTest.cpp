// Activation rules that start their program when it is not running.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

#include <shellapi.h>

class LaunchTest : public E2eProgramTest {
protected:
    void TearDown() override {
        // Nothing may outlive the sandbox that holds its executable: a
        // sleeping target is woken to show its window, then closed.
        for (const std::string& sleeping : m_sleeping) {
            DeleteFileA(sleeping.c_str());
        }
        if (!m_sleeping.empty()) {
            WaitUntil([&] { return FindWindowA("SqLaunchTarget", kSlow.c_str()) != nullptr; },
                      kStartTimeoutMs);
        }
        for (const std::string& title : {kStarting, kIdle, kSlow}) {
            while (HWND target = FindWindowA("SqLaunchTarget", title.c_str())) {
                DWORD processId = WindowProcessId(target);
                HANDLE running = OpenProcess(SYNCHRONIZE, FALSE, processId);
                PostMessageA(target, WM_CLOSE, 0, 0);
                if (running != nullptr) {
                    WaitForSingleObject(running, kExitTimeoutMs);
                    CloseHandle(running);
                }
            }
        }
    }

    // A copy of the target program in its own folder of the sandbox.
    std::string PlaceTarget(const std::string& folder, const std::string& name) {
        const std::string directory = sandbox->Directory() + folder;
        const std::string path = directory + "\\" + name;
        EXPECT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
        EXPECT_TRUE(
            CopyFileA(BesideTestProgram("e2e_launch_target.exe").c_str(), path.c_str(), FALSE));
        return path;
    }
    static std::vector<std::string> Starts(const std::string& targetPath) {
        return FileExists(targetPath + ".starts") ? ReadLines(targetPath + ".starts")
                                                  : std::vector<std::string>();
    }

    // A target that sleeps before its window until the test lets it go on.
    std::string PlaceSlowTarget() {
        const std::string path = PlaceTarget("slow", kSlow);
        m_sleeping.push_back(path + ".sleep");
        EXPECT_TRUE(WriteFileBytes(m_sleeping.back(), ""));
        return path;
    }
    void LetSlowTargetGoOn() { ASSERT_TRUE(DeleteFileA(m_sleeping.back().c_str())); }
    static ConfigRule StartOnNote(std::uint8_t note, const std::string& path) {
        ConfigRule rule;
        rule.outputKind = ConfigRule::ActivateApplication;
        rule.noteNumber = rule.noteNumberEnd = note;
        rule.actExePath = path;
        rule.actLaunch = true;
        return rule;
    }

    const std::string kStarting = "Starting.exe";
    const std::string kIdle = "Idle.exe";
    const std::string kSlow = "Slow.exe";
    std::vector<std::string> m_sleeping;
};

TEST_F(LaunchTest, StartsTheProgramOnceThenActivatesItAndOnlyWithTheFlag) {
    const std::string starting = PlaceTarget("starting", kStarting);
    const std::string idle = PlaceTarget("idle", kIdle);
    ConfigRule plainRule = StartOnNote(61, idle);
    plainRule.actLaunch = false;
    Config config;
    config.rules = {StartOnNote(60, starting), plainRule};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());

    PostToOpenedPort(NoteOn(0, 61));
    PumpMessagesFor(kQuietMs * 2);
    EXPECT_TRUE(Starts(idle).empty()) << "a rule without the flag started its program";
    EXPECT_EQ(FindWindowA("SqLaunchTarget", kIdle.c_str()), nullptr);

    PostToOpenedPort(NoteOn(0, 60));
    HWND target = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (target = FindWindowA("SqLaunchTarget", kStarting.c_str())) != nullptr; },
        kStartTimeoutMs))
        << "the program was not started";
    const std::vector<std::string> first = Starts(starting);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0] + "\\", sandbox->Directory() + "starting\\") << "started in its own folder";

    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_NE(GetForegroundWindow(), target);
    PostToOpenedPort(NoteOn(0, 60));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }, kActionTimeoutMs))
        << "the running program was not brought to the front";
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(Starts(starting).size(), 1u) << "a second copy was started";
}

TEST_F(LaunchTest, AProgramThatCannotBeStartedIsToldInABalloon) {
    Config config;
    config.rules = {StartOnNote(60, sandbox->Directory() + "gone\\Missing.exe")};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());

    PostToOpenedPort(NoteOn(0, 60));
    const auto balloons = [&] {
        std::vector<FakeWinmmCall> found;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
            if (!call.Text("info").empty()) {
                found.push_back(call);
            }
        }
        return found;
    };
    ASSERT_TRUE(WaitUntil([&] { return !balloons().empty(); }, kActionTimeoutMs));
    EXPECT_EQ(balloons().front().Text("info"), "「Missing.exe」を起動できませんでした。");
    EXPECT_EQ(balloons().front().Number("infoflags"), static_cast<unsigned>(NIIF_WARNING));
    EXPECT_NO_FATAL_FAILURE(ExpectNoMessageBox());
}

TEST_F(LaunchTest, AMaximisedThenMinimisedProgramComesBackMaximisedByItsShortPath) {
    const std::string idle = PlaceTarget("long folder name", kIdle);
    char shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(idle.c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_STRNE(shortPath, idle.c_str()) << "no short name to test with";
    ConfigRule rule;
    rule.outputKind = ConfigRule::ActivateApplication;
    rule.noteNumber = rule.noteNumberEnd = 60;
    rule.actExePath = shortPath;
    Config config;
    config.rules = {rule};
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), ConfigText(config)));

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    std::string commandLine = "\"" + idle + "\"";
    ASSERT_TRUE(CreateProcessA(idle.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    HWND target = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (target = FindWindowA("SqLaunchTarget", kIdle.c_str())) != nullptr; },
        kStartTimeoutMs));
    ShowWindow(target, SW_MAXIMIZE);
    ShowWindow(target, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(target) != FALSE; }, kActionTimeoutMs));

    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostToOpenedPort(NoteOn(0, 60));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == target; }, kActionTimeoutMs))
        << "the program was not brought to the front";
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(target) != FALSE; }, kActionTimeoutMs))
        << "restored to its normal size, not to maximised";
    EXPECT_FALSE(IsIconic(target));
}

TEST_F(LaunchTest, NotesKeepWorkingWhileAProgramIsBeingStartedAndItStartsOnce) {
    const std::string slow = PlaceSlowTarget();
    ASSERT_TRUE(sandbox->Midi().HoldShellExecute(true));
    ASSERT_NO_FATAL_FAILURE(
        StartFocusedWith({StartOnNote(60, slow), ConfigRule::KeyOnNotes(62, 62, 'K')}));

    // The shell holds the start, as it does while its elevation prompt is up.
    PostToOpenedPort(NoteOn(0, 60));
    ASSERT_TRUE(WaitUntil([&] { return !sandbox->Midi().Calls("shellExecuteHeld").empty(); },
                          kActionTimeoutMs));
    PostToOpenedPort(NoteOn(0, 60));
    PostToOpenedPort(NoteOn(0, 62));
    ExpectKeys(ExpectedStroke('K'));

    // Started, but the program takes its time to show a window.
    ASSERT_TRUE(sandbox->Midi().HoldShellExecute(false));
    ASSERT_TRUE(WaitUntil([&] { return Starts(slow).size() == 1; }, kStartTimeoutMs));
    PostToOpenedPort(NoteOn(0, 60));
    PumpMessagesFor(kQuietMs);
    ASSERT_NO_FATAL_FAILURE(LetSlowTargetGoOn());
    EXPECT_TRUE(WaitUntil([&] { return FindWindowA("SqLaunchTarget", kSlow.c_str()) != nullptr; },
                          kStartTimeoutMs));
    PumpMessagesFor(kQuietMs);
    EXPECT_EQ(sandbox->Midi().Calls("ShellExecuteExA").size(), 1u) << "started more than once";
    EXPECT_EQ(Starts(slow).size(), 1u);
}

TEST_F(LaunchTest, TheProgramEndsWithoutWaitingForAStartUnderWay) {
    ASSERT_TRUE(sandbox->Midi().HoldShellExecute(true));
    ASSERT_NO_FATAL_FAILURE(
        StartFocusedWith({StartOnNote(60, PlaceTarget("starting", kStarting))}));
    PostToOpenedPort(NoteOn(0, 60));
    ASSERT_TRUE(WaitUntil([&] { return !sandbox->Midi().Calls("shellExecuteHeld").empty(); },
                          kActionTimeoutMs));

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    EXPECT_EQ(process.ExitCode(), 0u);
    EXPECT_EQ(sandbox->ReadConfig().rules.size(), 1u) << "the table was not saved";
}
