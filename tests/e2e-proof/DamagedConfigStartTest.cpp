// Every damaged settings file of the corpus, given to the real program: it
// starts, shows its settings window, and at its end through the tray menu
// writes a clean Config.ini that holds only its own lines. The table the
// rules library loads from the same bytes in this process is the oracle for
// what the program must have kept.
#include "E2eProgram.h"
#include "Polling.h"

#include "ChangeTable.h"
#include "DamagedConfigCorpus.h"
#include "StringUtil.h"
#include "TempDir.h"

#include <algorithm>
#include <memory>

namespace {

std::vector<DamagedFile> Corpus() {
    return DamagedConfigCorpus(SQ_DAMAGED_CONFIG_DIR);
}

// The first difference of two line lists, readable in a failure.
std::string FirstDifference(const std::vector<std::string>& actual,
                            const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        const std::string a = i < actual.size() ? actual[i] : "(none)";
        const std::string e = i < expected.size() ? expected[i] : "(none)";
        if (a != e) {
            return Format("line %u: \"%s\" instead of \"%s\"", unsigned(i + 1),
                          a.substr(0, 80).c_str(), e.substr(0, 80).c_str());
        }
    }
    return "";
}

const char kOpenFailedStart[] = "MIDI-INデバイス[";
const char kOpenFailedEnd[] = "]のオープンに失敗しました。";

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Several programs run side by side: most of a run is the program's end,
// which waits rather than works, so a batch costs little more than one run.
constexpr std::size_t kBatchSize = 6;

// One corpus file on its way through a start and an end of the program.
struct CorpusRun {
    const DamagedFile* file = nullptr;
    std::unique_ptr<ProgramSandbox> sandbox;
    ProgramProcess process;
    SettingsWindow window;
    CChangeTable oracle;
    std::vector<std::string> boxes;
};

// What the rules library makes of the bytes, read from a file of its own.
void LoadOracle(const std::string& bytes, CChangeTable& table) {
    TempDir dir("sq-oracle");
    ASSERT_TRUE(dir.IsValid());
    const std::string path = dir.File("Config.ini");
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    table.Load(path);
}

void Prepare(CorpusRun& run) {
    ASSERT_NO_FATAL_FAILURE(LoadOracle(run.file->bytes, run.oracle));
    if (run.file->expectedRules >= 0) {
        ASSERT_EQ(run.oracle.GetSize(), run.file->expectedRules)
            << "the rules library reads it otherwise";
    }
    run.sandbox = std::make_unique<ProgramSandbox>(ProgramUnderTest(), FakeWinmmUnderTest());
    ASSERT_TRUE(run.sandbox->IsReady());
    ASSERT_TRUE(WriteFileBytes(run.sandbox->ConfigPath(), run.file->bytes));
    ASSERT_TRUE(run.sandbox->Start(run.process));
}

// Until the settings window is on screen, every message box the start
// brings is read and closed; then the program is told to end.
void ShowAndEnd(CorpusRun& run) {
    run.window = SettingsWindow::WaitFor(run.process.Id(), kStartTimeoutMs);
    ASSERT_TRUE(run.window.IsFound()) << "no settings window";
    WaitUntil(
        [&] {
            const MessageBoxInfo box = FindMessageBox(run.process.Id(), {run.window.Handle()});
            if (box.IsFound()) {
                run.boxes.push_back(box.text);
                EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs)) << box.text;
            }
            return run.window.IsVisible() && !box.IsFound();
        },
        kStartTimeoutMs);
    ASSERT_TRUE(run.window.IsVisible()) << "the settings window did not come on screen";
    ASSERT_TRUE(run.window.PostCommand(SettingsWindow::kExitCommand));
}

void CheckEnd(CorpusRun& run) {
    // No MIDI device is present, so a configured name cannot be opened.
    if (run.oracle.GetDeviceName().empty()) {
        EXPECT_TRUE(run.boxes.empty()) << run.boxes.front();
    } else {
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].rfind(kOpenFailedStart, 0), 0u) << run.boxes[0];
        EXPECT_TRUE(EndsWith(run.boxes[0], kOpenFailedEnd)) << run.boxes[0];
    }
    if (!run.process.WaitForExit(kExitTimeoutMs)) {
        run.process.Kill();
        FAIL() << "the program did not end within " << kExitTimeoutMs << " ms";
    }
    EXPECT_EQ(run.process.ExitCode(), 0u);

    const Config saved = run.sandbox->ReadConfig();
    EXPECT_EQ(saved.rules.size(), static_cast<std::size_t>(run.oracle.GetSize()));
    EXPECT_FALSE(FileExists(run.sandbox->ConfigPath() + ".new"));
    const std::vector<std::string> lines = NonBlankLines(ReadFileBytes(run.sandbox->ConfigPath()));
    const std::vector<std::string> expected = CleanConfigLines(run.oracle);
    EXPECT_TRUE(lines == expected) << FirstDifference(lines, expected);
}

std::vector<std::vector<DamagedFile>> Batches() {
    std::vector<std::vector<DamagedFile>> batches;
    for (const DamagedFile& file : Corpus()) {
        if (batches.empty() || batches.back().size() == kBatchSize) {
            batches.emplace_back();
        }
        batches.back().push_back(file);
    }
    return batches;
}

std::string BatchName(const ::testing::TestParamInfo<std::vector<DamagedFile>>& info) {
    const auto stem = [](const std::string& name) {
        std::string text;
        for (char c : name.substr(0, std::min<std::size_t>(name.find('-'), name.find('.')))) {
            text += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return text;
    };
    return "Files_" + stem(info.param.front().name) + "_to_" + stem(info.param.back().name);
}

} // namespace

class DamagedConfigStart : public ::testing::TestWithParam<std::vector<DamagedFile>> {};

TEST_P(DamagedConfigStart, EachStartsShowsItsWindowAndEndsWithACleanConfig) {
    std::vector<CorpusRun> runs(GetParam().size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        runs[i].file = &GetParam()[i];
    }
    // One file after the other: only one copy of the program runs in a
    // session, and a second start would only show the first.
    for (CorpusRun& run : runs) {
        SCOPED_TRACE(run.file->name);
        ASSERT_NO_FATAL_FAILURE(Prepare(run));
        EXPECT_NO_FATAL_FAILURE(ShowAndEnd(run));
        EXPECT_NO_FATAL_FAILURE(CheckEnd(run));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamagedConfigStart, ::testing::ValuesIn(Batches()), BatchName);

TEST(DamagedConfigStartCorpus, HoldsEveryListedFile) {
    const auto files = Corpus();
    EXPECT_GE(files.size(), 56u + 3u) << "is " << SQ_DAMAGED_CONFIG_DIR << " there?";
    std::size_t empty = 0;
    for (const auto& file : files) {
        empty += file.bytes.empty() ? 1 : 0;
    }
    EXPECT_EQ(empty, 1u) << "only the empty case may be empty";
}
