// Loading and saving a large table through the portable settings backend,
// the one the native build uses, with the file in the system's temporary
// directory.
#include "ChangeTable.h"
#include "PortableIniBackend.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

class ScratchDirectory {
public:
    ScratchDirectory() {
        const char* base = std::getenv("TMPDIR");
        m_path = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                 "/sq-bench-XXXXXX";
        if (mkdtemp(&m_path[0]) == nullptr) {
            m_path.clear();
        }
    }
    ~ScratchDirectory() {
        std::remove(File("Config.ini").c_str());
        std::remove(File("Config.ini.new").c_str());
        rmdir(m_path.c_str());
    }
    bool Ok() const { return !m_path.empty(); }
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Rules with every field in use and a path on every fourth, as a large
// hand-made table might look.
void FillTable(CChangeTable& table, int count) {
    table.SetDeviceName("USB MIDI Keyboard");
    for (int i = 0; i < count; ++i) {
        auto* rule = new CChangeTableItem;
        rule->InputCh = static_cast<std::uint8_t>(i % 17);
        rule->InputKind = static_cast<std::uint8_t>(i % 5);
        rule->OutputKind = static_cast<std::uint8_t>(i % 4 == 0 ? 1 : 0);
        rule->NoteNumber = static_cast<std::uint8_t>(i % 128);
        rule->NoteNumberEnd = static_cast<std::uint8_t>(i % 128 + i % 3);
        rule->CCNumber = static_cast<std::uint8_t>(i % 128);
        rule->CCFlag = static_cast<std::uint8_t>(i % 2);
        rule->PCNumber = static_cast<std::uint8_t>(i % 128);
        rule->PCRange = static_cast<std::uint8_t>(i % 2);
        rule->KeyCode = static_cast<std::uint8_t>(0x41 + i % 26);
        rule->KeyFlag = static_cast<std::uint8_t>(i % 8);
        if (rule->OutputKind == 1) {
            rule->SetActExePath("C:\\Program Files\\Tool " + std::to_string(i) + "\\tool.exe");
        }
        table.InsertAt(table.GetSize(), rule);
    }
}

void BM_SaveTable(benchmark::State& state) {
    ScratchDirectory dir;
    if (!dir.Ok()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    CPortableIniBackend backend;
    const std::string path = dir.File("Config.ini");
    for (auto _ : state) {
        if (!table.Save(path, backend)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("rules");
}

void BM_LoadTable(benchmark::State& state) {
    ScratchDirectory dir;
    if (!dir.Ok()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string path = dir.File("Config.ini");
    {
        CChangeTable table;
        FillTable(table, static_cast<int>(state.range(0)));
        CPortableIniBackend backend;
        if (!table.Save(path, backend)) {
            state.SkipWithError("save failed");
            return;
        }
    }
    for (auto _ : state) {
        // A fresh backend each time, as at program start: nothing cached.
        CPortableIniBackend backend;
        CChangeTable table;
        table.Load(path, backend);
        if (table.GetSize() != state.range(0)) {
            state.SkipWithError("load lost rules");
            break;
        }
        benchmark::DoNotOptimize(table.GetAt(table.GetSize() - 1));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("rules");
}

} // namespace

BENCHMARK(BM_SaveTable)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTable)->Arg(1000)->Unit(benchmark::kMillisecond);
