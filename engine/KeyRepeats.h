#pragma once
#include "KeyStroke.h"

#include <cstdint>
#include <functional>

class CChangeTableItem;

// The keyboard's own repeat, for key rules whose input is held: the stroke
// comes again after the repeat delay and then at the repeat rate until the
// input is released. One record per rule, device slot and note, controller
// or bend direction, like the holds: a device's release or unplugging ends
// its own repeats only. The clock is the caller's.
class CKeyRepeats {
public:
    static constexpr int kMaxRepeats = 64;

    // Starts repeating the rule's stroke for that input; the first stroke is
    // the caller's. False when that input repeats it already (a second
    // note-on, a pedal sending more values while down) or the records are
    // full: then no stroke is due.
    bool Start(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
               std::uint8_t channel, std::uint8_t number, std::uint64_t nowMs, int delayMs,
               int intervalMs);

    void ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note);
    // Of either direction: a device's wheel is shared by all its channels.
    void ReleaseBend(std::uint8_t device);
    void ReleaseController(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t channel,
                           std::uint8_t controller);
    // What the inputs of one device repeat: the device is gone.
    void ReleaseDevice(std::uint8_t device);
    void ReleaseAll() { m_count = 0; }

    using Strike = std::function<void(const StrokeTarget& target, std::uint8_t keyFlag)>;
    // Strikes every stroke due at nowMs once (a late timer does not make up
    // for missed strokes). Returns the milliseconds until the next one is
    // due, or -1 when nothing repeats.
    int Run(std::uint64_t nowMs, const Strike& strike);

    bool IsEmpty() const { return m_count == 0; }

private:
    struct Record {
        const CChangeTableItem* rule;
        std::uint8_t device;
        std::uint8_t inputKind;
        std::uint8_t channel;
        std::uint8_t number;
        // Copied: the rule may change while its input is held.
        StrokeTarget target;
        std::uint8_t keyFlag;
        int intervalMs;
        std::uint64_t dueMs;
    };

    template <typename Test> void ReleaseWhere(Test test);
    int NextDelay(std::uint64_t nowMs) const;

    Record m_records[kMaxRepeats] = {};
    int m_count = 0;
};

// The platform's keyboard settings in milliseconds: the delay setting 0..3
// stands for 250..1000 ms, the speed setting 0..31 for about 2.5 to 30
// repeats a second. Settings out of range are taken as their nearest end.
int KeyboardRepeatDelayMs(int delaySetting);
int KeyboardRepeatIntervalMs(int speedSetting);
