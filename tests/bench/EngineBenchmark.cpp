// Events per second from a packed short message through decoding, the
// listener manager's fan-out and the table walk, with actions that do nothing.
#include "ChangeTable.h"
#include "ConversionEngine.h"
#include "EngineActions.h"
#include "InputRecord.h"
#include "TimeOfDay.h"
#include "MidiInEventListenerManager.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

class NullActions : public IEngineActions {
public:
    void SendKeyEvents(const KeyStrokeEvent*, int) override {}
    void Strike(const StrokeTarget&, std::uint8_t, int, const CHeldKeys&) override {}
    void ActivateApplication(const std::string&) override {}
    void EnabledChanged(bool) override {}
};

// The same, with a painting program's window always in front.
class PaintInFrontActions : public NullActions {
public:
    std::uintptr_t ForegroundWindow() override { return 1; }
    std::string WindowExePath(std::uintptr_t) override {
        return "C:\\Program Files\\Paint\\Paint.exe";
    }
};

// Every second rule limited to one of four programs, one of them in front,
// by file name or by full path.
void LimitHalfToApplications(CChangeTable& table) {
    static const char* const kApplications[] = {"Paint.exe", "C:\\Office\\Writer.exe",
                                                "C:\\Program Files\\Paint\\Paint.exe",
                                                "Browser.exe"};
    for (int i = 1; i < table.GetSize(); i += 2) {
        table.GetAt(i)->SetForeExePath(kApplications[(i / 2) % 4]);
    }
}

// A table such as a user builds: mostly single notes and note ranges, some
// controllers, program changes and the two bend directions.
void FillTable(CChangeTable& table, int count) {
    for (int i = 0; i < count; ++i) {
        auto* rule = new CChangeTableItem;
        rule->InputCh = static_cast<std::uint8_t>(i % 3 == 0 ? 0 : 1 + i % 16);
        switch (i % 8) {
        case 0:
        case 1:
        case 2:
        case 3:
            rule->InputKind = CChangeTableItem::Note;
            rule->NoteNumber = static_cast<std::uint8_t>(i % 128);
            rule->NoteNumberEnd = static_cast<std::uint8_t>(i % 128 + (i % 4 == 1 ? 4 : 0));
            break;
        case 4:
        case 5:
            rule->InputKind = CChangeTableItem::ControlChange;
            rule->CCNumber = static_cast<std::uint8_t>(i % 128);
            rule->CCFlag = static_cast<std::uint8_t>(i % 2);
            break;
        case 6:
            rule->InputKind = CChangeTableItem::ProgramChange;
            rule->PCNumber = static_cast<std::uint8_t>(i % 128);
            rule->PCRange = static_cast<std::uint8_t>(i % 2);
            break;
        default:
            rule->InputKind =
                (i / 8) % 2 ? CChangeTableItem::PitchBendMinus : CChangeTableItem::PitchBendPlus;
            break;
        }
        rule->OutputKind = CChangeTableItem::KeyInput;
        rule->KeyCode = static_cast<std::uint8_t>(0x41 + i % 26);
        rule->KeyFlag = static_cast<std::uint8_t>(i % 8);
        table.InsertAt(table.GetSize(), rule);
    }
}

// A table as it grows in use: ten rules for every application, then one
// set of the same ten for each program that needs its own (one of them the
// painting program in front). An event concerns a handful of rules however
// many programs have a set.
void FillRuleSets(CChangeTable& table, int count) {
    FillTable(table, 10);
    for (int set = 1; table.GetSize() < count; ++set) {
        const int first = table.GetSize();
        FillTable(table, 10);
        char path[64];
        std::snprintf(path, sizeof path, "C:\\Programs\\Tool%d.exe", set);
        for (int i = first; i < table.GetSize(); ++i) {
            table.GetAt(i)->SetForeExePath(set == 1 ? "Paint.exe" : path);
        }
    }
}

// A played phrase: notes on and off, a sustain pedal, the bend wheel, a
// program change, and a timing clock that is dropped at once.
std::vector<std::uint32_t> Phrase() {
    std::vector<std::uint32_t> messages;
    for (std::uint32_t i = 0; i < 256; ++i) {
        const std::uint32_t channel = i % 16;
        switch (i % 8) {
        case 0:
        case 1:
            messages.push_back(0x90 | channel | ((i % 128) << 8) | (100u << 16));
            break;
        case 2:
            messages.push_back(0x80 | channel | ((i % 128) << 8) | (64u << 16));
            break;
        case 3:
            messages.push_back(0xB0 | channel | (64u << 8) | ((i % 2 ? 127u : 0u) << 16));
            break;
        case 4:
        case 5: {
            const std::uint32_t bend = (i * 1237) % 16384;
            messages.push_back(0xE0 | channel | ((bend & 0x7F) << 8) | ((bend >> 7) << 16));
            break;
        }
        case 6:
            messages.push_back(0xC0 | channel | ((i % 128) << 8));
            break;
        default:
            messages.push_back(0xF8);
            break;
        }
    }
    return messages;
}

// recorded: with the monitor's record ahead of the engine, as the program
// runs (the clock included). `ports` > 0: that many device slots open, the
// phrase's messages coming by each port in turn.
void RunPhrase(benchmark::State& state, CChangeTable& table, IEngineActions& actions,
               bool recorded = false, int ports = 0) {
    CConversionEngine engine(&table, actions);
    CInputRecord record(PlatformTimeOfDay());
    CMidiInEventListenerManager manager;
    if (recorded) {
        manager.AddListener(&record);
        engine.SetObserver(&record);
    }
    manager.AddListener(&engine);
    for (int slot = 1; slot <= ports; ++slot) {
        engine.PortOpened(static_cast<std::uint8_t>(slot),
                          static_cast<std::uint32_t>(0x1000 * slot));
    }
    const std::vector<std::uint32_t> messages = Phrase();

    std::size_t next = 0;
    if (ports == 0) {
        // The loop of the cases without devices stays as it always was, so
        // that their figures compare with those of older versions.
        for (auto _ : state) {
            manager.OnShortMessage(0, messages[next]);
            next = (next + 1) % messages.size();
        }
    } else {
        std::uint32_t port = 0;
        for (auto _ : state) {
            manager.OnShortMessage(0x1000 * (1 + port), messages[next]);
            next = (next + 1) % messages.size();
            port = (port + 1) % static_cast<std::uint32_t>(ports);
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("events");
}

void BM_ShortMessageToActions(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    NullActions actions;
    RunPhrase(state, table, actions);
}

void BM_ShortMessageToActionsHalfForApplications(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    LimitHalfToApplications(table);
    PaintInFrontActions actions;
    RunPhrase(state, table, actions);
}

void BM_ShortMessageToActionsRecorded(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    NullActions actions;
    RunPhrase(state, table, actions, true);
}

void BM_ShortMessageToActionsRuleSets(benchmark::State& state) {
    CChangeTable table;
    FillRuleSets(table, static_cast<int>(state.range(0)));
    PaintInFrontActions actions;
    RunPhrase(state, table, actions);
}

// Every second rule on one of the layers 1..3, the program on layer 1: the
// layer is one more dimension of the index, not a filter over the table.
void BM_ShortMessageToActionsHalfOnLayers(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    for (int i = 1; i < table.GetSize(); i += 2) {
        table.GetAt(i)->Layer = static_cast<std::uint8_t>(1 + (i / 2) % 3);
    }
    NullActions actions;
    RunPhrase(state, table, actions);
}

} // namespace

// Eight devices open, the rules spread over every device and each slot.
void BM_ShortMessageToActionsEightDevices(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    for (int i = 0; i < table.GetSize(); ++i) {
        table.GetAt(i)->InputDevice = static_cast<std::uint8_t>(i % 9);
    }
    NullActions actions;
    RunPhrase(state, table, actions, false, 8);
}

BENCHMARK(BM_ShortMessageToActionsEightDevices)->Arg(1000);
BENCHMARK(BM_ShortMessageToActionsHalfOnLayers)->Arg(1000);
BENCHMARK(BM_ShortMessageToActions)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(BM_ShortMessageToActionsRecorded)->Arg(10)->Arg(1000);
BENCHMARK(BM_ShortMessageToActionsHalfForApplications)->Arg(1000)->Arg(10000);

BENCHMARK(BM_ShortMessageToActionsRuleSets)->Arg(10)->Arg(1000)->Arg(10000);

BENCHMARK_MAIN();
