#pragma once
#include "ConversionObserver.h"
#include "MidiInEventListener.h"

#include <cstdint>
#include <string>
#include <vector>

class CPortDevices;
class ITimeOfDay;

class CLayerNames;

// What a rule that acted did, as it was then: enough of the rule to give
// its output text later, when a row is drawn, so that acting costs copies
// of a few bytes and no formatting, and a later edit of the table does not
// change the past.
struct SActedRule {
    // Keeps what the rule at `index` does; no allocation. names: of the
    // layer a switch goes to, nullptr for none.
    void Keep(int index, const CChangeTableItem& rule, const CLayerNames* names);
    // The output text the rule had when it acted.
    std::string OutputText() const;

    static constexpr int kExeNameSize = 64;
    static constexpr int kPlayedSize = 64;

    int row = 0; // 0-based position in the table
    std::uint8_t outputKind = 0;
    std::uint8_t keyCode = 0;
    std::uint8_t keyFlag = 0;
    std::uint8_t keyHold = 0;
    std::uint8_t mouseAction = 0;
    std::uint8_t actLaunch = 0;
    std::uint8_t keyRepeat = 0;
    std::uint8_t layerAction = 0;
    std::uint8_t layerTarget = 0;
    char exeName[kExeNameSize] = {}; // activation rules: the file name shown
    // Sequence and text rules: the start of what they play, as the table
    // keeps it (the shown text is made from it only when it is looked at).
    // Layer switches: the name of the layer they go to, as it then was.
    char played[kPlayedSize] = {};
};

// A key or mouse button that a release let go of.
struct SReleasedKey {
    std::uint8_t virtualKey = 0;
    bool mouseButton = false;
};

// One MIDI message as it arrived and what the program did with it.
struct SInputRecordEntry {
    static constexpr int kDeviceSize = 32; // a WinMM product name fits
    static constexpr int kMaxRules = 3;    // rules whose outputs are kept
    // A held Ctrl+Shift+Alt and its key, twice over.
    static constexpr int kMaxReleasedKeys = 8;

    std::uint32_t timeOfDayMs = 0;
    std::uint32_t message = 0; // packed: status, data 1, data 2
    char device[kDeviceSize] = {};
    // False while the engine did not convert the message (note-offs, the
    // bend wheel inside its dead zone, kinds it does not decode).
    bool converted = false;
    EConversionOutcome outcome = EConversionOutcome::NoMatch;
    // Every rule that acted; the first kMaxRules kept.
    int actedCount = 0;
    SActedRule acted[kMaxRules];
    // Every key and button the message let go of (a note-off that ends a
    // hold); the first kMaxReleasedKeys kept, in the order they went up.
    int releasedCount = 0;
    SReleasedKey released[kMaxReleasedKeys];
};

// The last kCapacity MIDI messages, kept from the start of the program
// whether the monitor is open or not. A ring of entries made once: a message
// costs no allocation, only copies into the entry it overwrites. Listens to
// the raw input ahead of the engine and observes the engine, which tells it
// what became of the message just recorded.

class CInputRecord : public CMidiInEventListener, public IConversionObserver {
public:
    static constexpr int kCapacity = 1000;

    explicit CInputRecord(const ITimeOfDay& clock);

    static constexpr int kSlots = 8;

    // The device of slot 1 (1..kSlots), whose messages come from now on;
    // cut to what an entry holds.
    void SetDeviceName(const std::string& name) { SetDeviceName(1, name); }
    void SetDeviceName(int slot, const std::string& name);
    // Which slot each port belongs to: a message is recorded with its own
    // slot's device, one of a port no slot holds without a name. Without
    // it every message is slot 1's.
    void SetPortSlots(const CPortDevices* slots) { m_portSlots = slots; }
    // The names that a layer switch's entry keeps; not owned, nullptr for
    // none (the layers are then shown by number).
    void SetLayerNames(const CLayerNames* names) { m_layerNames = names; }

    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message) override;
    void RuleActed(int index, const CChangeTableItem& rule) override;
    void ConversionEnded(EConversionOutcome outcome) override;
    void HeldKeysReleased(const KeyStrokeEvent* releases, int count) override;

    int GetCount() const { return m_count; }
    // 0 is the oldest entry kept, GetCount() - 1 the newest; an empty
    // entry for an index outside.
    const SInputRecordEntry& GetAt(int index) const;
    // Counts every message and every change of an entry: a view that saw the
    // same number has nothing new to draw.
    std::uint64_t GetChangeCount() const { return m_changes; }
    // Every message ever recorded, cleared or not: how many left the ring
    // at its front since a view last looked follows from it.
    std::uint64_t GetMessageCount() const { return m_messages; }
    void Clear();

private:
    SInputRecordEntry* Newest();

    const ITimeOfDay& m_clock;
    std::vector<SInputRecordEntry> m_entries;
    int m_first = 0;
    int m_count = 0;
    std::uint64_t m_changes = 0;
    std::uint64_t m_messages = 0;
    const CPortDevices* m_portSlots = nullptr;
    // By slot; 0: a port of no slot, never named.
    char m_devices[kSlots + 1][SInputRecordEntry::kDeviceSize] = {};
    const CLayerNames* m_layerNames = nullptr;
};
