// Arbitrary bytes as Config.ini: loading must survive anything, and what a
// save writes must load back as exactly the table that was saved. A rule or
// a device name that changes on its way through the file would change a
// user's settings every time the program ends.
#include "ChangeTable.h"
#include "PortableIniBackend.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string g_directory;

void RemoveWorkDirectory() {
    std::remove((g_directory + "/Config.ini").c_str());
    std::remove((g_directory + "/Config.ini.new").c_str());
    rmdir(g_directory.c_str());
}

// One directory under $TMPDIR for the whole run (tools/fuzz.sh points it at
// memory when it can: the save's fsync would otherwise dominate each input).
std::string WorkDirectory() {
    if (g_directory.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                              "/sq-fuzz-config-XXXXXX";
        if (mkdtemp(&pattern[0]) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        g_directory = pattern;
        std::atexit(RemoveWorkDirectory);
    }
    return g_directory;
}

void WriteWholeFile(const std::string& path, const std::uint8_t* data, size_t size) {
    std::FILE* stream = std::fopen(path.c_str(), "wb");
    if (stream == nullptr || std::fwrite(data, 1, size, stream) != size ||
        std::fclose(stream) != 0) {
        std::perror("writing the fuzzed Config.ini");
        std::abort();
    }
}

std::string Describe(const CChangeTableItem& rule) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%u,%u,%u,%u,%u,%u,%u,%u,%u,%u,%u,", rule.InputCh,
                  rule.InputKind, rule.OutputKind, rule.NoteNumber, rule.NoteNumberEnd,
                  rule.CCNumber, rule.CCFlag, rule.PCNumber, rule.PCRange, rule.KeyCode,
                  rule.KeyFlag);
    return numbers + rule.GetActExePath() + "," + std::to_string(rule.KeyRepeat) + "," +
           std::to_string(rule.StrokeGap) + "," + rule.GetKeySequence() + "," + rule.GetText() +
           "," + std::to_string(rule.Feedback) + "," + std::to_string(rule.FeedbackOn) + "," +
           std::to_string(rule.FeedbackOff) + "," + std::to_string(rule.FeedbackCh);
}

void Differ(const char* what, int index, const std::string& first, const std::string& second) {
    std::fprintf(stderr, "%s %d differs after a save:\n  first load:  [%s]\n  second load: [%s]\n",
                 what, index, first.c_str(), second.c_str());
    std::abort();
}

void ExpectSameTable(const CChangeTable& first, const CChangeTable& second) {
    if (first.GetDeviceName() != second.GetDeviceName()) {
        Differ("device name", 0, first.GetDeviceName(), second.GetDeviceName());
    }
    for (int slot = 1; slot <= CChangeTable::kDeviceSlots; ++slot) {
        const CChangeTable::SMidiOut a = first.GetMidiOut(slot);
        const CChangeTable::SMidiOut b = second.GetMidiOut(slot);
        const std::string describedA = a.device + "|" + a.initBytes + "|" + a.exitBytes;
        const std::string describedB = b.device + "|" + b.initBytes + "|" + b.exitBytes;
        if (describedA != describedB) {
            Differ("output of slot", slot, describedA, describedB);
        }
    }
    if (first.GetSize() != second.GetSize()) {
        Differ("rule count", 0, std::to_string(first.GetSize()), std::to_string(second.GetSize()));
    }
    for (int i = 0; i < first.GetSize(); ++i) {
        const std::string a = Describe(*first.GetAt(i));
        const std::string b = Describe(*second.GetAt(i));
        if (a != b) {
            Differ("rule", i, a, b);
        }
    }
}

} // namespace

// A count of a few thousand takes only a few bytes of input, and each of
// its rules costs a dozen reads and writes of the file, slow under the
// sanitizers and the coverage counters. Beyond this many rules only the
// load is fuzzed: the round trip of a long table tells nothing that a
// shorter one does not, and slow inputs would starve the search.
constexpr int kMaxRoundTripRules = 256;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string path = WorkDirectory() + "/Config.ini";
    WriteWholeFile(path, data, size);

    // A fresh backend each time: nothing cached from the previous input.
    CPortableIniBackend backend;
    CChangeTable first;
    first.Load(path, backend);
    if (first.GetSize() > kMaxRoundTripRules) {
        return 0;
    }
    if (!first.Save(path, backend)) {
        std::fprintf(stderr, "saving the loaded table failed\n");
        std::abort();
    }
    CChangeTable second;
    second.Load(path, backend);
    ExpectSameTable(first, second);
    return 0;
}
