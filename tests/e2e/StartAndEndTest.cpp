// Starting the program with and without Config.ini, its title, and every
// way of ending it, with the saving of Config.ini that goes with each.
#include "E2eProgram.h"
#include "KeyboardHook.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

#include <cstring>
#include <functional>

namespace {

// The LegalCopyright value of a file's version resource, read through its
// first translation ("" when there is none).
std::string LegalCopyrightOf(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, data.data())) {
        return std::string();
    }
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 4) {
        return std::string();
    }
    char name[64];
    std::snprintf(name, sizeof name, "\\StringFileInfo\\%04x%04x\\LegalCopyright", translation[0],
                  translation[1]);
    char* value = nullptr;
    if (!VerQueryValueA(data.data(), name, reinterpret_cast<void**>(&value), &length)) {
        return std::string();
    }
    return value;
}

// The executable's application manifest as the platform's loader reads it
// for the process it starts.
class LoadedManifest {
public:
    explicit LoadedManifest(const std::string& exePath) {
        ACTCTXA context = {};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = exePath.c_str();
        context.lpResourceName = MAKEINTRESOURCEA(1); // the process's own manifest
        m_context = CreateActCtxA(&context);
    }
    ~LoadedManifest() {
        if (IsLoaded()) {
            ReleaseActCtx(m_context);
        }
    }
    bool IsLoaded() const { return m_context != INVALID_HANDLE_VALUE; }

    std::wstring WindowsSetting(const wchar_t* nameSpace, const wchar_t* name) const {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        if (!QueryActCtxSettingsW(0, m_context, nameSpace, name, value, 64, &written)) {
            return std::wstring();
        }
        return value;
    }
    ACTCTX_REQUESTED_RUN_LEVEL RunLevel() const {
        ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
        if (!QueryActCtxW(0, m_context, nullptr, RunlevelInformationInActivationContext, &level,
                          sizeof level, nullptr)) {
            return ACTCTX_RUN_LEVEL_UNSPECIFIED;
        }
        return level.RunLevel;
    }

private:
    HANDLE m_context = INVALID_HANDLE_VALUE;
};

Config TwoRules() {
    Config config;
    config.rules = {ConfigRule::KeyOnNotes(60, 72, 'A', 1), ConfigRule::ToggleOnNote(36, 10)};
    config.rules[1].actExePath = "C:\\Tools\\ツール.exe";
    return config;
}

// Something a user added by hand; the program rewrites the file from
// nothing, so it is gone after every save.
const char kHandAdded[] = "[HandAdded]\r\nNote=kept only until the next save\r\n";

} // namespace

class StartTest : public E2eProgramTest {};

TEST_F(StartTest, WithoutConfigIniTheWindowComesUpAndNothingIsWrittenWhileRunning) {
    ASSERT_FALSE(sandbox->HasConfig());
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    EXPECT_FALSE(sandbox->HasConfig());
    EXPECT_TRUE(process.IsRunning());
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    const Config saved = sandbox->ReadConfig();
    EXPECT_EQ(saved.midiInDevice, "");
    EXPECT_TRUE(saved.rules.empty());
    EXPECT_EQ(ReadLines(sandbox->ConfigPath()),
              (std::vector<std::string>{"[General]", "MidiInDevice=", "TableItemCount=0"}));
}

TEST_F(StartTest, WithConfigIniTheTableIsLoadedAndSavedBackUnchanged) {
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), ConfigText(TwoRules()) + kHandAdded));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    const Config saved = sandbox->ReadConfig();
    EXPECT_EQ(saved.midiInDevice, "");
    EXPECT_EQ(saved.rules, TwoRules().rules);
    EXPECT_EQ(ReadFileBytes(sandbox->ConfigPath()).find("HandAdded"), std::string::npos);
}

TEST_F(StartTest, TheTitleIsNameVersionAndCopyright) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string copyright = LegalCopyrightOf(sandbox->ExePath());
    EXPECT_FALSE(copyright.empty()) << "the executable names no rights holder";
    EXPECT_NE(copyright, "-");
    EXPECT_EQ(window.Title(), std::string("Sorbelquintaro Ver.1.00 ") + copyright);
}

// Wine takes every program for one aware of each monitor's scale, so what
// shows here is what the platform's loader reads from the executable.
TEST_F(StartTest, ItAsksToDrawForEachMonitorsScaleAndForNoElevation) {
    const LoadedManifest manifest(sandbox->ExePath());
    ASSERT_TRUE(manifest.IsLoaded()) << "no manifest the loader accepts";
    EXPECT_EQ(manifest.WindowsSetting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                      L"dpiAwareness"),
              L"PerMonitorV2");
    // Systems before per-monitor awareness draw at the system's scale.
    EXPECT_EQ(manifest.WindowsSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                      L"dpiAware"),
              L"true");
    EXPECT_EQ(manifest.RunLevel(), ACTCTX_RUN_LEVEL_AS_INVOKER);
}

TEST_F(StartTest, TheProgramShowsNoOtherWindow) {
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    PumpMessagesFor(kQuietMs);
    for (HWND other : TopLevelWindowsOf(process.Id())) {
        if (other != window.Handle() && IsWindowVisible(other)) {
            // The platform's own helper windows are not the program's.
            ADD_FAILURE() << "visible window \"" << WindowText(other) << "\" of class "
                          << WindowClass(other);
        }
    }
}

TEST(RenamedProgramTest, TheTitleTakesTheNameOfTheExecutable) {
    ProgramSandbox::Options options;
    options.exeName = "Renamed.exe";
    ProgramSandbox sandbox(ProgramUnderTest(), FakeWinmmUnderTest(), options);
    ASSERT_TRUE(sandbox.IsReady());
    ProgramProcess process;
    ASSERT_TRUE(sandbox.Start(process));
    const HWND window = WaitForTopLevelWindow(
        process.Id(), [](HWND w) { return IsDialogTitled(w, "Renamed Ver.1.00 "); },
        kStartTimeoutMs);
    EXPECT_NE(window, nullptr);
}

// The ways a user ends the program: each must end the process and save.
struct EndWay {
    const char* name;
    std::function<bool(const SettingsWindow&)> end;
};

class EndTest : public E2eProgramTest, public ::testing::WithParamInterface<EndWay> {};

TEST_P(EndTest, EndsTheProcessAndWritesConfigIni) {
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), ConfigText(TwoRules()) + kHandAdded));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(GetParam().end(window));
    ExpectExit();
    EXPECT_FALSE(IsWindow(window.Handle()));
    EXPECT_EQ(sandbox->ReadConfig().rules, TwoRules().rules);
    EXPECT_EQ(ReadFileBytes(sandbox->ConfigPath()).find("HandAdded"), std::string::npos)
        << "Config.ini was not rewritten";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndTest,
    ::testing::Values(
        EndWay{"ExitMenuItem", [](const SettingsWindow& w) { return w.PostCommand(IDOK); }},
        EndWay{"EscapeKey", [](const SettingsWindow& w) { return w.PressEscape(); }},
        EndWay{"CloseMessage", [](const SettingsWindow& w) { return w.PostClose(); }},
        EndWay{"CloseBox", [](const SettingsWindow& w) { return w.PostSysCommand(SC_CLOSE); }}),
    [](const ::testing::TestParamInfo<EndWay>& info) { return std::string(info.param.name); });

class EndSessionTest : public E2eProgramTest {};

// The session's end is the program's end, in the same order as the others;
// the system would end the process anyway once the notice is answered.
TEST_F(EndSessionTest, WritesConfigIniAndEndsTheProgram) {
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), ConfigText(TwoRules()) + kHandAdded));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(window.SendEndSession(true, kActionTimeoutMs));
    EXPECT_EQ(ReadFileBytes(sandbox->ConfigPath()).find("HandAdded"), std::string::npos)
        << "Config.ini was not rewritten";
    EXPECT_EQ(sandbox->ReadConfig().rules, TwoRules().rules);
    ExpectExit();
}

TEST_F(EndSessionTest, AlsoWritesWhenTheEndIsCalledOff) {
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_FALSE(sandbox->HasConfig());
    ASSERT_TRUE(window.SendEndSession(false, kActionTimeoutMs));
    EXPECT_TRUE(sandbox->HasConfig());
    EXPECT_TRUE(process.IsRunning());
}

TEST_F(EndSessionTest, AFailedSaveStaysSilent) {
    ASSERT_TRUE(WriteConfigIni(sandbox->ConfigPath(), TwoRules()));
    ASSERT_TRUE(sandbox->SetConfigReadOnly(true));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(window.SendEndSession(true, kActionTimeoutMs));
    ExpectNoMessageBox();
    ExpectExit();
}

class SaveFailureTest : public E2eProgramTest {};

// The box comes when nothing can reach the program any more: the port is
// closed before it, and a note sent to whatever window of the program is
// left while it is up strikes no key.
TEST_F(SaveFailureTest, AReadOnlyConfigIniAtTheEndIsReportedByName) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}}));
    Config config = TwoRules();
    config.midiInDevice = "Keys";
    const std::string before = ConfigText(config) + kHandAdded;
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), before));
    ASSERT_TRUE(sandbox->SetConfigReadOnly(true));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    const KeyboardHook hook;
    ASSERT_TRUE(hook.IsSet());
    const std::uintptr_t port = OpenedPortHandle();
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));

    const MessageBoxInfo box = WaitForMessageBox();
    ASSERT_TRUE(box.IsFound()) << "the failed save was not reported";
    LARGE_INTEGER now = {}, frequency = {};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double boxSeenMs = 1000.0 * static_cast<double>(now.QuadPart) /
                             static_cast<double>(frequency.QuadPart);
    const std::vector<FakeWinmmCall> closes = sandbox->Midi().Calls("midiInClose");
    ASSERT_FALSE(closes.empty()) << "the port was still open while the box was up";
    EXPECT_LT(closes.back().Milliseconds("t"), boxSeenMs);
    EXPECT_FALSE(IsWindow(window.Handle())) << "the settings window outlived the end";
    for (HWND left : TopLevelWindowsOf(process.Id())) {
        PostMessageA(left, SettingsWindow::kMidiData, static_cast<WPARAM>(port),
                     static_cast<LPARAM>(0x7F3C90)); // note 60 on, as the rule wants
    }
    PumpMessagesFor(kQuietMs);
    EXPECT_FALSE(KeyboardHook::SawRelease('A')) << "a key was struck while the box was up";
    EXPECT_EQ(box.caption, "Sorbelquintaro");
    EXPECT_EQ(box.text, "設定ファイル[" + sandbox->ConfigPath() + "]の保存に失敗しました。");
    EXPECT_EQ(box.buttons, (std::vector<std::string>{"OK"}));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
    ExpectExit();
    EXPECT_EQ(ReadFileBytes(sandbox->ConfigPath()), before);
}

// The libraries the program imports come from the system folder only, not
// from its own folder first (the image's DependentLoadFlags, read by the
// loader of Windows 10 1607 and later). Wine's loader does not read the
// field: the fake multimedia library beside the program still loads here,
// so what is checked is the image, not the loader's search.
TEST(LoaderTest, TheImageAsksForItsImportsFromTheSystemFolderOnly) {
    const std::string image = ReadFileBytes(ProgramUnderTest());
    ASSERT_GT(image.size(), 0x400u);
    auto at = [&](std::size_t offset, std::size_t size) {
        std::uint64_t value = 0;
        std::memcpy(&value, image.data() + offset, size);
        return value;
    };
    const std::size_t pe = static_cast<std::size_t>(at(0x3C, 4));
    ASSERT_EQ(at(pe, 4), 0x4550u); // "PE\0\0"
    const std::size_t optional = pe + 24;
    ASSERT_EQ(at(optional, 2), 0x20Bu); // PE32+
    const std::uint64_t rva = at(optional + 112 + 8 * IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG, 4);
    ASSERT_NE(rva, 0u) << "no load configuration";
    const std::size_t sections = optional + static_cast<std::size_t>(at(pe + 20, 2));
    for (std::size_t i = 0; i < at(pe + 6, 2); ++i) {
        const std::size_t header = sections + 40 * i;
        const std::uint64_t va = at(header + 12, 4), rawSize = at(header + 16, 4);
        if (rva >= va && rva < va + rawSize) {
            const std::size_t config = static_cast<std::size_t>(at(header + 20, 4) + rva - va);
            EXPECT_GE(at(config, 4), 80u) << "the size leaves the field out";
            EXPECT_EQ(at(config + 78, 2), static_cast<std::uint64_t>(LOAD_LIBRARY_SEARCH_SYSTEM32));
            return;
        }
    }
    ADD_FAILURE() << "the load configuration lies in no section";
}
