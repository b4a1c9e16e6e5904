// Measurement driver: prints how long the settings file backend of this
// platform takes for a large table, how long a process snapshot and the
// window thread's multimedia calls take, how long the real program needs to
// show its window, how much memory it takes and where the time of its end
// goes beside the platform's notepad ended the same way, and how long a MIDI
// note needs to become a key-down in the focused window, idle and while the
// shell holds a program start. It prints figures and judges nothing;
// tools/measure-wine.sh runs it.
#include "EndPhases.h"
#include "KeyRecorder.h"
#include "LatencyProbe.h"
#include "MidiCallTimes.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "ProgramSandbox.h"
#include "SettingsWindow.h"
#include "Stopwatch.h"
#include "Windows.h"

#include "ChangeTable.h"
#include "EnumProcesses.h"
#include "PortableIniBackend.h"
#include "StringUtil.h"
#include "Win32IniBackend.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

constexpr unsigned kStartTimeoutMs = 60000;
// The end saves the table: with a large one that takes long on some backends.
constexpr unsigned kExitTimeoutMs = 300000;
// The device the started program opens (through the fake library) and
// closes again at its end.
const char kDeviceName[] = "Pads";
// A call of the window's thread that takes longer holds MIDI input up.
constexpr double kSlowCallMs = 100.0;

void Row(const char* what, int runs, const std::string& figures, const char* target) {
    std::printf("| %-44s | %5d | %-34s | %-16s |\n", what, runs, figures.c_str(), target);
    std::fflush(stdout);
}

void Failed(const char* what, const char* why) {
    std::printf("| %-44s | %5s | %-34s | %-16s |\n", what, "-", (std::string("FAILED: ") + why).c_str(), "");
    std::fflush(stdout);
}

std::string MedianText(const std::vector<double>& ms) {
    return Format("median %.1f ms (min %.1f, max %.1f)", Median(ms), Percentile(ms, 0),
                  Percentile(ms, 100));
}

// A table of `count` rules of every kind, a tenth of them with a path.
void FillTable(CChangeTable& table, int count) {
    for (int i = 0; i < count; ++i) {
        CChangeTableItem* item = new CChangeTableItem;
        item->InputCh = static_cast<std::uint8_t>(i % 17);
        item->InputKind = static_cast<std::uint8_t>(i % 5);
        item->OutputKind = static_cast<std::uint8_t>(i % 10 == 0 ? 1 : 0);
        item->NoteNumber = static_cast<std::uint8_t>(i % 128);
        item->NoteNumberEnd = static_cast<std::uint8_t>((i + 3) % 128);
        item->CCNumber = static_cast<std::uint8_t>(i % 120);
        item->CCFlag = static_cast<std::uint8_t>(i % 2);
        item->PCNumber = static_cast<std::uint8_t>(i % 128);
        item->KeyCode = static_cast<std::uint8_t>('A' + i % 26);
        item->KeyFlag = static_cast<std::uint8_t>(i % 8);
        if (item->OutputKind == 1) {
            item->SetActExePath(Format("C:\\Program Files\\Application %04d\\application.exe", i));
        }
        table.Add(item);
    }
}

// Moves the file's last write time a minute back. Wine's profile functions
// do not trust their cached copy of a file written in the last 2.1 seconds
// and parse it again on every call; a user's Config.ini is older than that
// when the program starts.
bool AgeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 60ull * 10000000ull;
    FILETIME past;
    past.dwLowDateTime = time.LowPart;
    past.dwHighDateTime = time.HighPart;
    const BOOL set = SetFileTime(file, nullptr, nullptr, &past);
    CloseHandle(file);
    return set != FALSE;
}

// Save and Load of a 1,000-rule table through one backend, `runs` times each;
// without a backend, as the program itself does it (one read, one write).
void MeasureTable(const char* name, IIniBackend* backend, int runs, int rules) {
    CPortableIniBackend cleanup;
    const auto save = [&](CChangeTable& table, const std::string& path) {
        return backend != nullptr ? table.Save(path, *backend) : table.Save(path);
    };
    const auto load = [&](CChangeTable& table, const std::string& path) {
        if (backend != nullptr) {
            table.Load(path, *backend);
        } else {
            table.Load(path);
        }
    };
    const char* target = backend != nullptr ? "" : "< 50 ms";
    TempDir dir("sq-measure");
    const std::string path = dir.File("Config.ini");
    CChangeTable table;
    FillTable(table, rules);
    std::vector<double> saveMs, loadMs;
    for (int run = 0; run < runs; ++run) {
        Stopwatch watch;
        const bool saved = save(table, path);
        saveMs.push_back(watch.ElapsedMs());
        if (!saved) {
            Failed(Format("Save %d rules, %s", rules, name).c_str(), "Save returned false");
            return;
        }
    }
    std::vector<double> settledLoad;
    for (bool settled : {false, true}) {
        if (settled && !AgeFile(path)) {
            Failed(Format("Load %d rules, %s", rules, name).c_str(), "cannot set the file's time");
            return;
        }
        for (int run = 0; run < runs; ++run) {
            CChangeTable loaded;
            Stopwatch watch;
            load(loaded, path);
            (settled ? settledLoad : loadMs).push_back(watch.ElapsedMs());
            const int last = rules - 1;
            if (loaded.GetSize() != rules ||
                (rules > 0 && loaded.GetAt(last)->GetActExePath() != table.GetAt(last)->GetActExePath())) {
                Failed(Format("Load %d rules, %s", rules, name).c_str(), "the table read back differs");
                return;
            }
        }
    }
    Row(Format("Save %d rules, %s", rules, name).c_str(), runs, MedianText(saveMs), target);
    Row(Format("Load %d rules, %s, just saved", rules, name).c_str(), runs, MedianText(loadMs),
        target);
    Row(Format("Load %d rules, %s, file a minute old", rules, name).c_str(), runs,
        MedianText(settledLoad), target);
    (backend != nullptr ? *backend : cleanup).RemoveFile(path);
}

void MeasureSnapshot(int runs) {
    std::vector<double> ms;
    std::size_t processes = 0;
    for (int run = 0; run < runs; ++run) {
        CEnumProcesses snapshot;
        Stopwatch watch;
        const bool refreshed = snapshot.Refresh();
        ms.push_back(watch.ElapsedMs());
        if (!refreshed) {
            Failed("CEnumProcesses::Refresh", "Refresh returned false");
            return;
        }
        processes = snapshot.Size();
    }
    Row(Format("CEnumProcesses::Refresh (%u processes)", unsigned(processes)).c_str(), runs,
        MedianText(ms), "");
}

std::string UnderTest(const char* name) { return BesideTestProgram(std::string("under-test\\") + name); }

// One started program with its settings window on screen.
struct RunningProgram {
    ProgramSandbox sandbox{UnderTest("Sorbelquintaro.exe"), UnderTest("winmm.dll")};
    ProgramProcess process;
    SettingsWindow window;
    double startMs = 0;

    // `rules` key strokes on notes from 60 upward, then `more`.
    bool Start(int rules, const std::vector<ConfigRule>& more = {}) {
        if (!sandbox.IsReady() || !sandbox.SetMidiDevices({{kDeviceName}})) {
            return false;
        }
        Config config;
        config.midiInDevice = kDeviceName;
        for (int i = 0; i < rules; ++i) {
            config.rules.push_back(ConfigRule::KeyOnNotes(static_cast<std::uint8_t>(60 + i % 60),
                                                          static_cast<std::uint8_t>(60 + i % 60),
                                                          static_cast<std::uint8_t>('A' + i % 26)));
        }
        config.rules.insert(config.rules.end(), more.begin(), more.end());
        return sandbox.WriteConfig(config) && StartAsItIs();
    }

    // Config.ini holding exactly `bytes`.
    bool Start(const std::string& bytes) {
        return sandbox.IsReady() && WriteFileBytes(sandbox.ConfigPath(), bytes) && StartAsItIs();
    }

    bool StartAsItIs() {
        // As a user's file is: not written in the last seconds.
        if (!AgeFile(sandbox.ConfigPath())) {
            return false;
        }
        Stopwatch watch;
        if (!sandbox.Start(process)) {
            return false;
        }
        window = SettingsWindow::WaitFor(process.Id(), kStartTimeoutMs);
        if (!window.IsFound() || !window.WaitUntilVisible(true, kStartTimeoutMs)) {
            return false;
        }
        startMs = watch.ElapsedMs();
        return true;
    }

    // Ends the program through its exit command; the time until the
    // process is gone, or a negative value when it did not end. Where the
    // time went is left in endPhases when the log tells.
    double Stop() {
        const long long posted = Stopwatch::Now();
        if (!window.PostCommand(SettingsWindow::kExitCommand) || !process.WaitForExit(kExitTimeoutMs)) {
            return -1.0;
        }
        const long long gone = Stopwatch::Now();
        endPhases = ReadEndPhases(sandbox.Midi().Calls(), Stopwatch::Between(0, posted),
                                  Stopwatch::Between(0, gone));
        return Stopwatch::Between(posted, gone);
    }

    std::optional<EndPhases> endPhases;
};

// The processor time a process has used so far, user and kernel.
double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return 0;
    }
    const auto ms = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                                   time.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

bool PeakWorkingSetMb(HANDLE process, double& peakMb, double& nowMb) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) {
        return false;
    }
    peakMb = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
    nowMb = static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
    return true;
}

// The platform's own small editor, for scale: what start, memory and end
// cost a program that does nothing of ours. It is ended by WM_CLOSE, which is
// what its own exit command does. The median end, or 0 when it failed.
double MeasureBaseline(int runs) {
    const char* what = "Baseline: notepad.exe to visible window";
    std::vector<double> start, peakMb, nowMb, end;
    char system[MAX_PATH] = {};
    if (GetSystemDirectoryA(system, MAX_PATH) == 0) {
        Failed(what, "no system directory");
        return 0;
    }
    for (int run = 0; run < runs; ++run) {
        ProgramProcess process;
        Stopwatch watch;
        if (!process.Start(std::string(system) + "\\notepad.exe", system)) {
            Failed(what, "cannot start it");
            return 0;
        }
        const HWND window = WaitForTopLevelWindow(
            process.Id(), [](HWND w) { return IsWindowVisible(w) != 0; }, kStartTimeoutMs);
        if (window == nullptr) {
            Failed(what, "no window");
            return 0;
        }
        start.push_back(watch.ElapsedMs());
        PumpMessagesFor(500);
        double peak = 0, now = 0;
        if (!PeakWorkingSetMb(process.Handle(), peak, now)) {
            Failed(what, "GetProcessMemoryInfo failed");
            return 0;
        }
        peakMb.push_back(peak);
        nowMb.push_back(now);
        watch.Restart();
        PostMessageA(window, WM_CLOSE, 0, 0);
        if (!process.WaitForExit(kExitTimeoutMs)) {
            Failed(what, "it did not end");
            return 0;
        }
        end.push_back(watch.ElapsedMs());
    }
    Row(what, runs, MedianText(start), "");
    Row("Baseline: notepad.exe peak working set", runs,
        Format("median %.2f MB (now %.2f)", Median(peakMb), Median(nowMb)), "");
    Row("Baseline: notepad.exe WM_CLOSE to process end", runs, MedianText(end), "");
    return Median(end);
}

void MeasureStart(int runs, int rules, double notepadEndMs) {
    std::vector<double> start, peakMb, nowMb, end;
    std::vector<EndPhases> phases;
    const std::string what = Format("Start to visible window, %d rules", rules);
    for (int run = 0; run < runs; ++run) {
        RunningProgram program;
        if (!program.Start(rules)) {
            Failed(what.c_str(), "the program did not show its window");
            return;
        }
        // The window is up; let the first painting and idle work finish.
        PumpMessagesFor(500);
        double peak = 0, now = 0;
        if (!PeakWorkingSetMb(program.process.Handle(), peak, now)) {
            Failed(what.c_str(), Format("GetProcessMemoryInfo error %lu", GetLastError()).c_str());
            return;
        }
        start.push_back(program.startMs);
        peakMb.push_back(peak);
        nowMb.push_back(now);
        const double endMs = program.Stop();
        if (endMs < 0) {
            Failed(what.c_str(), "the program did not end");
            return;
        }
        end.push_back(endMs);
        if (program.endPhases) {
            phases.push_back(*program.endPhases);
        }
    }
    // The rule list asks for the texts of the rows it shows only, so the
    // table's size must hardly show in the start or the memory.
    Row(what.c_str(), runs, MedianText(start),
        rules >= 10000 ? "10 rules' x 2" : rules > 10 ? "10 rules' x 1.3" : "");
    Row(Format("Peak working set, %d rules", rules).c_str(), runs,
        Format("median %.2f MB (max %.2f; now %.2f)", Median(peakMb), Percentile(peakMb, 100),
               Median(nowMb)),
        rules >= 10000 ? "10 rules' x 1.5" : "< 10 MB");
    std::string endText = MedianText(end);
    if (notepadEndMs > 0) {
        endText += Format(", %.2f x notepad", Median(end) / notepadEndMs);
    }
    Row(Format("Exit command to process end (saves), %d rules", rules).c_str(), runs, endText,
        rules == 10 ? "< 1.2 x notepad" : "");
    if (phases.size() == end.size()) {
        Row(Format("End of the program, %d rules, step by step", rules).c_str(), runs,
            EndPhasesText(phases), "");
    } else {
        Failed(Format("End of the program, %d rules, step by step", rules).c_str(),
               "a step is missing from the library's log");
    }
}

// The calls with which the window's thread lists and opens devices stay on
// that thread: any that takes long holds MIDI input up meanwhile.
void MeasureMidiCalls() {
    const std::vector<TimedCall> calls = TimeMidiInCalls();
    const TimedCall* slowest = nullptr;
    for (const TimedCall& call : calls) {
        if (slowest == nullptr || call.ms > slowest->ms) {
            slowest = &call;
        }
        if (call.ms > kSlowCallMs) {
            Row(("Slow multimedia call: " + call.name).c_str(), 1, Format("%.1f ms", call.ms),
                "< 100 ms");
        }
    }
    Row("Multimedia calls of the device list and open", static_cast<int>(calls.size()),
        slowest == nullptr ? std::string("none")
                           : Format("slowest %.1f ms (%s)", slowest->ms, slowest->name.c_str()),
        "each < 100 ms");
}

// A TableItemCount of two thousand million with no rule section at all
// beside an empty file: the damage must not make the start crawl.
void MeasureDamagedStart(int runs) {
    const std::pair<const char*, std::string> files[] = {
        {"Start to visible window, empty Config.ini", ""},
        {"Start to visible window, TableItemCount=2000000000",
         "[General]\r\nMidiInDevice=\r\nTableItemCount=2000000000\r\n"}};
    for (const auto& file : files) {
        std::vector<double> start;
        for (int run = 0; run < runs; ++run) {
            RunningProgram program;
            if (!program.Start(file.second)) {
                Failed(file.first, "the program did not show its window");
                return;
            }
            start.push_back(program.startMs);
            if (program.Stop() < 0) {
                Failed(file.first, "the program did not end");
                return;
            }
        }
        Row(file.first, runs, MedianText(start), file.second.empty() ? "" : "< empty + 1 s");
    }
}

std::string LatencyText(const std::vector<double>& ms) {
    return Format("median %.3f ms, p99 %.3f ms (max %.1f)", Median(ms), Percentile(ms, 99),
                  Percentile(ms, 100));
}

// Idle, then while the shell holds the start of a program (as it does while
// an elevation prompt waits for the user): the window's thread must not be
// the one waiting. The idle median, or 0 when it failed.
double MeasureLatency(int events) {
    const char* what = "MM_MIM_DATA posted to key-down received";
    const char* whileStarting = "The same while the shell holds a program start";
    ConfigRule launch;
    launch.outputKind = ConfigRule::ActivateApplication;
    launch.noteNumber = launch.noteNumberEnd = 61;
    launch.actExePath = "C:\\Sorbelquintaro measurement\\NotThere.exe";
    launch.actLaunch = true;
    RunningProgram program;
    if (!program.Start(1, {launch})) {
        Failed(what, "the program did not show its window");
        return 0;
    }
    KeyRecorder recorder;
    if (!recorder.TakeFocus(5000)) {
        Failed(what, "the recording window cannot take the focus");
        program.Stop();
        return 0;
    }
    // The fake driver's port handle is not looked at by the program.
    LatencyProbe probe(program.window, 0x1000, recorder);
    probe.Measure(20, 60, 5000); // warm-up, not counted
    const std::vector<double> idle = probe.Measure(events, 60, 5000);
    if (idle.size() != static_cast<std::size_t>(events)) {
        Failed(what, "a key did not arrive");
        program.Stop();
        return 0;
    }
    Row(what, events, LatencyText(idle), "median < 1 ms");

    const FakeWinmmControl& fake = program.sandbox.Midi();
    if (!fake.HoldShellExecute(true) || !program.window.PostMidi(0x1000, NoteOn(0, 61)) ||
        !WaitUntil([&] { return !fake.Calls("shellExecuteHeld").empty(); }, 5000)) {
        Failed(whileStarting, "the start did not reach the shell");
    } else {
        const std::vector<double> held = probe.Measure(events, 60, 5000);
        if (held.size() != static_cast<std::size_t>(events)) {
            Failed(whileStarting, "a key did not arrive");
        } else {
            Row(whileStarting, events,
                LatencyText(held) + Format(", %.2f x idle", Median(held) / Median(idle)),
                "median as idle");
        }
    }
    fake.HoldShellExecute(false);
    program.Stop();
    return Median(idle);
}

std::string OwnPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

// 100 rules, half of them for this program and half for the program's own
// settings window, and the program in front changes before every note. With
// `lit`, each change darkens 50 lights and lights 50, a burst the worker
// sends at one message per millisecond while the notes keep coming; without,
// the same switches show what they cost by themselves. The timed note is the
// message that notices the change, as Wine raises no foreground event. The
// median, or 0 when it failed.
double MeasureLatencyWithSwitches(int events, bool lit, double idleMedianMs,
                                  double unlitMedianMs) {
    const char* what = lit ? "The same, 100 lit rules, a program switch each"
                           : "The same, 100 rules, a program switch each";
    constexpr int kRules = 100;
    constexpr std::uint8_t kUnmappedNote = 62;
    Config config;
    config.midiInDevice = kDeviceName;
    if (lit) {
        config.moreGeneralKeys = std::string("MidiOutDevice=") + kDeviceName + "\r\n";
    }
    config.rules.push_back(ConfigRule::KeyOnNotes(60, 60, 'A'));
    for (int i = 0; i < kRules; ++i) {
        const auto note = static_cast<std::uint8_t>(i);
        ConfigRule rule = ConfigRule::KeyOnNotes(note, note, 'B', 0, 2);
        rule.foreExePath = i % 2 == 0 ? OwnPath() : std::string("Sorbelquintaro.exe");
        rule.moreKeys = lit ? "Feedback=1\r\n" : "";
        config.rules.push_back(rule);
    }
    RunningProgram program;
    if (!program.sandbox.IsReady() || !program.sandbox.SetMidiDevices({{kDeviceName}}) ||
        !program.sandbox.Midi().SetOutputs({{kDeviceName, false}}) ||
        !program.sandbox.WriteConfig(config) || !program.StartAsItIs()) {
        Failed(what, "the program did not show its window");
        return 0;
    }
    KeyRecorder recorder;
    LatencyProbe probe(program.window, 0x1000, recorder);
    const FakeWinmmControl& fake = program.sandbox.Midi();
    const HWND settings = program.window.Handle();
    const auto fail = [&](const char* why) {
        Failed(what, why);
        program.Stop();
        return 0.0;
    };
    // A note no rule takes lets the program notice the window in front.
    const auto noticeFront = [&] {
        return program.window.PostMidi(0x1000, NoteOn(0, kUnmappedNote)) &&
               (PumpMessagesFor(20), !lit ||
                WaitUntil([&] { return !fake.Calls("midiOutShortMsg").empty(); }, 5000));
    };
    // This program in front first, its lights sent, so that the first switch
    // below is a change.
    if (!recorder.TakeFocus(5000) || !noticeFront()) {
        return fail("the program did not notice this program in front");
    }
    PumpMessagesFor(500);
    std::size_t lightsPerSwitch = 0;
    std::vector<double> samples;
    const double cpuBefore = CpuMs(program.process.Handle());
    for (int i = -5; i < events; ++i) { // five warm-up notes, not counted
        if (!SetForegroundWindow(settings) ||
            !WaitUntil([&] { return GetForegroundWindow() == settings; }, 5000) ||
            !fake.ClearLog() || !noticeFront()) {
            return fail("the program did not notice the settings window in front");
        }
        if (i == -5 && lit) {
            WaitUntil([&] { return fake.Calls("midiOutShortMsg").size() >= kRules; }, 5000);
            PumpMessagesFor(200);
            lightsPerSwitch = fake.Calls("midiOutShortMsg").size();
        }
        if (!recorder.TakeFocus(5000)) {
            return fail("the recording window cannot take the focus");
        }
        const std::vector<double> one = probe.Measure(1, 60, 5000);
        if (one.size() != 1) {
            return fail("a key did not arrive");
        }
        if (i >= 0) {
            samples.push_back(one[0]);
        }
    }
    // Two switches per note: there and back.
    const double cpuPerSwitch = (CpuMs(program.process.Handle()) - cpuBefore) / (2.0 * (events + 5));
    std::string figures = LatencyText(samples) + Format(", %.2f x idle, program's CPU %.2f ms per switch",
                                                        Median(samples) / idleMedianMs, cpuPerSwitch);
    if (lit) {
        figures += Format(", %.2f x unlit, %u lights per switch", Median(samples) / unlitMedianMs,
                          unsigned(lightsPerSwitch));
    }
    Row(what, events, figures, lit ? "median as unlit" : "");
    program.Stop();
    return Median(samples);
}

int Argument(int argc, char** argv, int index, int fallback) {
    return argc > index ? std::atoi(argv[index]) : fallback;
}

} // namespace

// proof_measure [table runs] [starts] [latency events] [table rules] [backends]
// backends, added up: 1 the private profile, 2 the portable one watching the
// file, 4 the program's own one read and one write (default 7: all three)
int main(int argc, char** argv) {
    const int tableRuns = Argument(argc, argv, 1, 7);
    const int starts = Argument(argc, argv, 2, 3);
    const int events = Argument(argc, argv, 3, 1000);
    const int rules = Argument(argc, argv, 4, 1000);
    const int backends = Argument(argc, argv, 5, 7);

    std::printf("| %-44s | %5s | %-34s | %-16s |\n", "measurement", "runs", "result", "target");
    std::printf("|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(7, '-').c_str(),
                std::string(36, '-').c_str(), std::string(18, '-').c_str());
    CWin32IniBackend privateProfile;
    if (backends & 1) {
        MeasureTable("private profile", &privateProfile, tableRuns, rules);
    }
    CPortableIniBackend portable;
    if (backends & 2) {
        MeasureTable("portable backend, watching", &portable, tableRuns, rules);
    }
    if (backends & 4) {
        MeasureTable("the program's one read/write", nullptr, tableRuns, rules);
    }
    MeasureSnapshot(tableRuns);
    MeasureMidiCalls();
    if (starts > 0) {
        const double notepadEndMs = MeasureBaseline(starts);
        for (int rules : {10, 1000, 10000}) {
            MeasureStart(starts, rules, notepadEndMs);
        }
        MeasureDamagedStart(starts);
    }
    if (events > 0) {
        const double idleMedianMs = MeasureLatency(events);
        const double unlitMedianMs =
            idleMedianMs > 0 ? MeasureLatencyWithSwitches(events, false, idleMedianMs, 0) : 0;
        if (unlitMedianMs > 0) {
            MeasureLatencyWithSwitches(events, true, idleMedianMs, unlitMedianMs);
        }
    }
    return 0;
}
