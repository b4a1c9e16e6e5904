// Replaces the global allocation functions of this test binary to count the
// allocations made while MIDI events travel through the engine.
#include "ChangeTable.h"
#include "ConversionEngine.h"
#include "EngineActions.h"
#include "InputRecord.h"
#include "TimeOfDay.h"
#include "MidiInEventListenerManager.h"
#include "MidiMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

bool g_counting = false;
long g_allocations = 0;

void* CountedAlloc(std::size_t size) {
    if (g_counting) {
        ++g_allocations;
    }
    return std::malloc(size == 0 ? 1 : size);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* p = CountedAlloc(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

class CountingActions : public IEngineActions {
public:
    void SendKeyEvents(const KeyStrokeEvent*, int) override {}
    void Strike(const StrokeTarget&, std::uint8_t, int, const CHeldKeys&) override { ++keys; }
    void ActivateApplication(const std::string&) override { ++activations; }
    void EnabledChanged(bool) override { ++toggles; }
    long keys = 0;
    long activations = 0;
    long toggles = 0;
};

class AllocationCounter {
public:
    AllocationCounter() {
        g_allocations = 0;
        g_counting = true;
    }
    ~AllocationCounter() { g_counting = false; }
    long Count() const { return g_allocations; }
};

CChangeTableItem* NewRule(std::uint8_t inputKind, std::uint8_t outputKind) {
    auto* rule = new CChangeTableItem;
    rule->InputKind = inputKind;
    rule->OutputKind = outputKind;
    return rule;
}

} // namespace

TEST(EventPath, AllocatesNothingForKeyStrokeAndToggleRules) {
    CChangeTable table;
    for (int note = 30; note < 90; ++note) {
        CChangeTableItem* rule = NewRule(CChangeTableItem::Note, CChangeTableItem::KeyInput);
        rule->NoteNumber = rule->NoteNumberEnd = static_cast<std::uint8_t>(note);
        rule->KeyCode = 0x41;
        rule->KeyFlag = 7;
        table.InsertAt(table.GetSize(), rule);
    }
    CChangeTableItem* edge = NewRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    edge->CCNumber = 64;
    edge->CCFlag = CChangeTableItem::CCFlagRisingEdge;
    table.InsertAt(table.GetSize(), edge);
    table.InsertAt(table.GetSize(),
                   NewRule(CChangeTableItem::PitchBendPlus, CChangeTableItem::KeyInput));
    table.InsertAt(table.GetSize(),
                   NewRule(CChangeTableItem::ProgramChange, CChangeTableItem::ToggleEnabled));

    CountingActions actions;
    CConversionEngine engine(&table, actions);
    CMidiInEventListenerManager manager;
    manager.AddListener(&engine);
    engine.TableChanged(); // the table is loaded: the index is made now

    const std::uint32_t messages[] = {
        NoteOn(0, 60),
        NoteOn(3, 31),
        NoteOff(0, 60),
        ControlChange(0, 64, 0),
        ControlChange(0, 64, 127),
        PitchBend(0, 0),
        PitchBend(0, 900),
        ProgramChange(0, 0),
        ProgramChange(0, 0),
        NoteOn(0, 10),
    };
    long allocations = 0;
    {
        AllocationCounter counter;
        for (int round = 0; round < 100; ++round) {
            for (std::uint32_t message : messages) {
                manager.OnShortMessage(0, message);
            }
        }
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(actions.keys, 100 * 4);
    EXPECT_EQ(actions.toggles, 100 * 2);
}

// The record keeps every message whether the monitor is open or not: its
// ring is made once, and a message that no rule acts on costs no allocation.
TEST(EventPath, RecordingTheInputAllocatesNothing) {
    CChangeTable table;
    CChangeTableItem* rule = NewRule(CChangeTableItem::Note, CChangeTableItem::KeyInput);
    rule->NoteNumber = rule->NoteNumberEnd = 60;
    table.InsertAt(table.GetSize(), rule);
    CountingActions actions;
    CConversionEngine engine(&table, actions);
    engine.TableChanged(); // the table is loaded: the index is made now
    CInputRecord record(PlatformTimeOfDay());
    record.SetDeviceName("Demo Keyboard");
    CMidiInEventListenerManager manager;
    manager.AddListener(&record);
    manager.AddListener(&engine);
    engine.SetObserver(&record);

    long allocations = 0;
    {
        AllocationCounter counter;
        for (int i = 0; i < 100000; ++i) {
            manager.OnShortMessage(0, i % 2 == 0 ? NoteOn(0, 61) : ControlChange(0, 7, i % 128));
            manager.OnShortMessage(0, 0xFE); // active sensing, not decoded
        }
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(record.GetCount(), CInputRecord::kCapacity);
}

TEST(EventPath, CounterSeesAllocations) {
    long allocations = 0;
    {
        AllocationCounter counter;
        delete new CChangeTableItem;
        allocations = counter.Count();
    }
    EXPECT_EQ(allocations, 1);
}
