#pragma once
#include "ChangeTableItem.h"
#include "HeldKeys.h"
#include "KeyStroke.h"

#include <cstdint>

// Which input holds which rule's key down: one record per rule and note,
// controller or bend direction, so that of a note range every held note
// counts. The keys themselves are counted in CHeldKeys, so two rules that
// share a key let it go only when both are released. A record names its
// rule by id and keeps a copy of what it pressed: it stays sound however the
// table changes while the key is down.
class CKeyHolds {
public:
    static constexpr int kMaxHolds = 256;
    // Each key goes up at most once, so one batch never needs more.
    static constexpr int kMaxReleaseEvents = 256;
    using ReleaseEvents = KeyStrokeEvent[kMaxReleaseEvents];

    // Adds the hold of the rule's key by that input, unless it is held by it
    // already or the records are full (better no key than one that could not
    // be released). Writes the presses of the keys that were not down yet.
    // `device` is the slot of the port the input came from: only its own
    // releases, or its loss, let go of what it holds.
    int Hold(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
             std::uint8_t channel, std::uint8_t number,
             KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);

    // Each of these drops the holds it names and writes the releases of the
    // keys no longer held, in one batch.
    int ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note,
                    ReleaseEvents& events);
    // Of either direction: a device's wheel is shared by all its channels.
    int ReleaseBend(std::uint8_t device, ReleaseEvents& events);
    int ReleaseController(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t channel,
                          std::uint8_t controller, ReleaseEvents& events);
    // What the inputs of one device hold: the device is gone.
    int ReleaseDevice(std::uint8_t device, ReleaseEvents& events);
    int ReleaseAll(ReleaseEvents& events);

    bool IsEmpty() const { return m_count == 0; }
    // Whether a controller of that device and channel holds a key.
    bool HoldsController(std::uint8_t device, std::uint8_t channel,
                         std::uint8_t controller) const;
    // Whether some input holds the rule's key now.
    bool HoldsRule(CChangeTableItem::Id rule) const;
    // Counts every hold and release: a look that finds it unchanged knows
    // that no rule's hold changed.
    std::uint32_t Changes() const { return m_changes; }
    // The keys held at the moment, which a key stroke must leave down.
    const CHeldKeys& Keys() const { return m_keys; }

private:
    struct Record {
        CChangeTableItem::Id rule; // kReleased once let go
        std::uint8_t device;
        std::uint8_t inputKind;
        std::uint8_t channel;
        std::uint8_t number;
        // Copied: the rule may be edited while its key is down.
        StrokeTarget target;
        std::uint8_t keyFlag;
    };

    static constexpr CChangeTableItem::Id kReleased = 0;

    template <typename Test> int ReleaseWhere(Test test, ReleaseEvents& events);

    CHeldKeys m_keys;
    Record m_records[kMaxHolds] = {};
    int m_count = 0;
    std::uint32_t m_changes = 0;
};
