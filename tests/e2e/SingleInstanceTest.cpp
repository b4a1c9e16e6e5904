// Starting the program while it runs brings the running copy's settings
// window back instead of a second copy.
#include "E2eProgram.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

#include <shellapi.h>

namespace {

FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

} // namespace

class SingleInstanceTest : public E2eProgramTest {};

TEST_F(SingleInstanceTest, ASecondStartShowsTheFirstCopyAndEnds) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Pads"}}));
    Config config;
    config.midiInDevice = "Pads";
    config.rules = {ConfigRule::KeyOnNotes(60, 60, 'K')};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(window.PostSysCommand(SC_MINIMIZE));
    ASSERT_TRUE(window.WaitUntilVisible(false, kActionTimeoutMs));
    const std::string configBefore = ReadFileBytes(sandbox->ConfigPath());
    const FILETIME writtenBefore = LastWriteTime(sandbox->ConfigPath());

    ProgramProcess second;
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(sandbox->Start(second));
    ASSERT_TRUE(second.WaitForExit(kExitTimeoutMs)) << "a second copy keeps running";
    // It finds the first at once; Wine's own process start and end take
    // about half a second of this on a busy machine.
    EXPECT_LT(GetTickCount64() - started, 2500u) << "the second copy waited";
    EXPECT_EQ(second.ExitCode(), 0u) << "the first copy was not reached";
    EXPECT_TRUE(window.WaitUntilVisible(true, kActionTimeoutMs));
    EXPECT_TRUE(
        WaitUntil([&] { return GetForegroundWindow() == window.Handle(); }, kActionTimeoutMs));
    EXPECT_TRUE(process.IsRunning());

    // The second touched neither the device, nor the tray, nor Config.ini.
    for (const FakeWinmmCall& call : sandbox->Midi().Calls()) {
        if (call.Number("pid") == second.Id()) {
            // Loading and unloading the library is all it may show.
            EXPECT_TRUE(call.function == "attach" || call.function == "detach")
                << "the second copy called " << call.function;
        }
    }
    EXPECT_EQ(ReadFileBytes(sandbox->ConfigPath()), configBefore);
    const FILETIME writtenAfter = LastWriteTime(sandbox->ConfigPath());
    EXPECT_EQ(CompareFileTime(&writtenBefore, &writtenAfter), 0) << "Config.ini was rewritten";
    std::size_t iconsAdded = 0;
    for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
        iconsAdded += call.Number("message") == NIM_ADD ? 1 : 0;
    }
    EXPECT_EQ(iconsAdded, 1u);
}
