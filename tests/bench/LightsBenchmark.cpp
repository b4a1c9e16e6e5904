// What the lights cost the window's thread per message: the engine behind
// the lights' gate, an output open, lit rules for two programs and the
// program in front switching every 64 messages (each switch changes every
// light, a burst the worker sends at one message per millisecond).
#include "ChangeTable.h"
#include "ControllerLights.h"
#include "ConversionEngine.h"
#include "EngineActions.h"
#include "IMidiOutPlatform.h"
#include "MidiInEventListenerManager.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// An output service that takes every message at once.
class NullMidiOut : public IMidiOutPlatform {
public:
    unsigned OutGetNumDevs() override { return 1; }
    unsigned OutGetDevCaps(unsigned, std::string& name, bool& synth) override {
        name = "Pads";
        synth = false;
        return 0;
    }
    unsigned OutOpen(std::uintptr_t& handle, unsigned) override {
        handle = 1;
        return 0;
    }
    unsigned OutShortMsg(std::uintptr_t, std::uint32_t) override {
        sent.fetch_add(1, std::memory_order_relaxed);
        return 0;
    }
    unsigned OutLongMsg(std::uintptr_t, const std::vector<std::uint8_t>&) override { return 0; }
    unsigned OutClose(std::uintptr_t) override { return 0; }
    std::atomic<unsigned> sent{0};
};

// Two programs take turns in front, one every 64 questions.
class SwitchingActions : public IEngineActions {
public:
    void SendKeyEvents(const KeyStrokeEvent*, int) override {}
    void Strike(const StrokeTarget&, std::uint8_t, int, const CHeldKeys&) override {}
    void ActivateApplication(const std::string&) override {}
    void EnabledChanged(bool) override {}
    std::uintptr_t ForegroundWindow() override { return 1 + (++m_asked / 64) % 2; }
    std::string WindowExePath(std::uintptr_t window) override {
        return window == 1 ? "C:\\Apps\\Paint.exe" : "C:\\Apps\\Writer.exe";
    }

private:
    unsigned m_asked = 0;
};

// 1,000 rules on notes and controllers, `lit` of them lit, half of those
// for each of the two programs.
void FillTable(CChangeTable& table, int lit) {
    for (int i = 0; i < 1000; ++i) {
        auto* rule = new CChangeTableItem;
        rule->InputKind = i % 2 ? CChangeTableItem::ControlChange : CChangeTableItem::Note;
        rule->NoteNumber = rule->NoteNumberEnd = static_cast<std::uint8_t>(i % 128);
        rule->CCNumber = static_cast<std::uint8_t>(i % 128);
        rule->KeyCode = static_cast<std::uint8_t>(0x41 + i % 26);
        rule->SetForeExePath(i % 4 < 2 ? "Paint.exe" : "Writer.exe");
        rule->Feedback = i < lit ? 1 : 0;
        table.InsertAt(table.GetSize(), rule);
    }
}

void BM_ShortMessageWithLights(benchmark::State& state) {
    CChangeTable table;
    FillTable(table, static_cast<int>(state.range(0)));
    table.SetMidiOut(1, {"Pads", "", ""});
    SwitchingActions actions;
    NullMidiOut out;
    CConversionEngine engine(&table, actions);
    CMidiInEventListenerManager manager;
    manager.AddListener(&engine);
    CControllerLights lights(out, table, engine, actions, manager, nullptr);
    engine.TableChanged();
    lights.TableChanged();
    engine.PortOpened(1, 0x1000);
    lights.InputOpened(1);
    std::uint32_t next = 0;
    for (auto _ : state) {
        const std::uint32_t number = next % 128;
        // Notes that are not lit's echoes: velocity 100, and controllers.
        const std::uint32_t message =
            next % 2 ? 0xB0 | number << 8 | 64u << 16 : 0x90 | number << 8 | 100u << 16;
        lights.OnShortMessage(0x1000, message);
        ++next;
    }
    lights.End();
    state.SetItemsProcessed(state.iterations());
    state.counters["lightMessages"] = static_cast<double>(out.sent.load());
}

} // namespace

BENCHMARK(BM_ShortMessageWithLights)->Arg(0)->Arg(100)->Arg(1000);
