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
        // Nothing may outlive the sandbox that holds its executable.
        for (const std::string& title : {kStarting, kIdle}) {
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

    const std::string kStarting = "Starting.exe";
    const std::string kIdle = "Idle.exe";
};

TEST_F(LaunchTest, StartsTheProgramOnceThenActivatesItAndOnlyWithTheFlag) {
    const std::string starting = PlaceTarget("starting", kStarting);
    const std::string idle = PlaceTarget("idle", kIdle);
    ConfigRule startRule;
    startRule.outputKind = ConfigRule::ActivateApplication;
    startRule.noteNumber = startRule.noteNumberEnd = 60;
    startRule.actExePath = starting;
    ConfigRule plainRule = startRule;
    plainRule.noteNumber = plainRule.noteNumberEnd = 61;
    plainRule.actExePath = idle;
    Config config;
    config.rules = {startRule, plainRule};
    // The flag goes last into the first rule's section, as the program writes it.
    std::string text = ConfigText(config);
    const std::string secondSection = "[TableItem001]";
    const size_t at = text.find(secondSection);
    ASSERT_NE(at, std::string::npos);
    text.insert(at, "ActLaunch=1\r\n");
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), text));
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
    ConfigRule startRule;
    startRule.outputKind = ConfigRule::ActivateApplication;
    startRule.noteNumber = startRule.noteNumberEnd = 60;
    startRule.actExePath = sandbox->Directory() + "gone\\Missing.exe";
    Config config;
    config.rules = {startRule};
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), ConfigText(config) + "ActLaunch=1\r\n"));
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
