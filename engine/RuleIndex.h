#pragma once
#include "ChangeTable.h"
#include "InputEvent.h"

#include <cstdint>
#include <vector>

// The rules of the table by what an event is matched on, so that an event
// costs the handful of rules it concerns, not a walk over the whole table:
// note rules under every note their range holds, controller rules (plain,
// turned up or down, held) under their controller number, program rules
// under their program number less its display offset, and the two bend
// directions in a list each. Every list is split by channel: the rules for
// every channel and those of each channel 1..16 (rules of channels beyond
// 16, which no port sends, share one more list).
//
// A rule concerns an event when its kind, channel and number agree; whether
// it acts (ranges aside: edge flags, knob steps, holds, the program in
// front) is still for the engine to decide. Each list holds table positions
// in table order, so the rules come out in the order of the table.
//
// The index describes the table as it was at the last Build. The table is
// changed only between events; the engine rebuilds the index when it is told
// so or sees the size change, and a walk that finds the index rebuilt under
// it (a nested message loop) looks its candidates up again.
class CRuleIndex {
public:
    // The positions of the rules that concern one event, ascending: the rules
    // for every channel merged with those of the event's channel.
    class Candidates {
    public:
        // The next position, or -1 after the last.
        int Next();

    private:
        friend class CRuleIndex;
        const std::int32_t* m_any = nullptr;
        const std::int32_t* m_anyEnd = nullptr;
        const std::int32_t* m_channel = nullptr;
        const std::int32_t* m_channelEnd = nullptr;
        // Set for events of a channel beyond 16, whose list holds every such
        // channel: the channel each position's rule wants.
        const std::uint8_t* m_ruleChannels = nullptr;
        std::uint8_t m_onlyChannel = 0;
    };

    void Build(const CChangeTable& table);
    // The rules were added, edited or deleted: the next event rebuilds.
    void MarkStale() { m_stale = true; }
    bool IsCurrentFor(const CChangeTable& table) const {
        return !m_stale && m_table == &table && m_size == table.GetSize();
    }
    // Counts the builds, so that a walk notices one made under it.
    std::uint32_t Generation() const { return m_generation; }

    // Whether the rule at that position of the table is the one indexed
    // there (not null, not replaced since the build).
    bool Indexed(int position, const CChangeTableItem* rule) const {
        return rule != nullptr && position >= 0 && position < m_size &&
               m_ids[static_cast<std::size_t>(position)] == rule->GetId();
    }

    // The rules that concern the event, from that table position on.
    Candidates Find(const InputEvent& event, int fromPosition = 0) const;

private:
    // Lists per channel slot: every channel, 1..16, and the channels beyond.
    static constexpr int kSlots = 18;
    static constexpr int kOtherChannels = 17;
    // Within a slot: one list per note and per controller number (0..255, as
    // a probe may bring any byte), per program key (PCNumber - PCRange, from
    // -255 to 255), and one per bend direction.
    static constexpr int kNoteLists = 0;
    static constexpr int kControllerLists = kNoteLists + 256;
    static constexpr int kProgramLists = kControllerLists + 256;
    static constexpr int kProgramKeyOffset = 255;
    static constexpr int kBendMinusList = kProgramLists + 511;
    static constexpr int kBendPlusList = kBendMinusList + 1;
    static constexpr int kListsPerSlot = kBendPlusList + 1;
    static constexpr int kListCount = kSlots * kListsPerSlot;
    static constexpr int kNoList = -1;

    static int SlotOfRule(std::uint8_t inputCh);
    // The list of one slot for an event's kind and number, or kNoList when
    // no rule can concern it.
    static int ListOf(const InputEvent& event);
    template <typename Visit> static void ForEachList(const CChangeTableItem& rule, Visit visit);

    const CChangeTable* m_table = nullptr;
    int m_size = 0;
    bool m_stale = true;
    std::uint32_t m_generation = 0;
    // Per table position: the rule's id and its channel.
    std::vector<CChangeTableItem::Id> m_ids;
    std::vector<std::uint8_t> m_ruleChannels;
    // The lists, one after the other: list l is m_positions[m_starts[l] ..
    // m_starts[l + 1]).
    std::vector<std::uint32_t> m_starts;
    std::vector<std::int32_t> m_positions;
};
