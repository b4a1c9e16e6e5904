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
// 16, which no port sends, share one more list), and once more by device:
// the rules for every device and those of each device slot 1..8, so that an
// event looks in its own slot's lists and those for every device (a table
// without device rules keeps only the lists for every device; a rule for a
// slot beyond 8 is in none and never acts). The rules limited to one
// application are grouped by application (one group per ForeExePath), and
// the lists are kept once more for the rules of every application and for
// those of the groups in front, made anew when the window in front changes:
// a table of rule sets for many programs costs an event the rules of the
// program in front and of every application, not those of all programs.
// Both sets are split once more by layer (every layer, 1..16; only for the
// layers that have rules), so that changing the layer costs nothing: the
// engine only looks in other lists.
//
// A rule concerns an event when its kind, channel and number agree; whether
// it acts (ranges aside: edge flags, knob steps, holds, the program in
// front) is still for the engine to decide. Lists hold table positions in
// table order, so the rules come out in the order of the table.
//
// The index describes the table as it was at the last Build. The table is
// changed only between events; the engine rebuilds the index when it is told
// so or sees the size change, and a walk that finds the index rebuilt under
// it (a nested message loop) looks its candidates up again.
class CRuleIndex {
public:
    // The positions of the rules that concern one event, ascending: the
    // lists of every channel and of the event's channel merged.
    class Candidates {
    public:
        // The next position, or -1 after the last.
        int Next();

    private:
        friend class CRuleIndex;
        struct Span {
            const std::int32_t* next;
            const std::int32_t* end;
            // For events of a channel beyond 16, whose list holds every such
            // channel: only that channel's rules.
            std::uint8_t onlyChannel;
        };
        void Add(const std::int32_t* begin, const std::int32_t* end, std::uint8_t onlyChannel);

        // Only the first m_spanCount are set: every channel and the event's,
        // of every device and of the event's.
        Span m_spans[4];
        int m_spanCount = 0;
        const std::uint8_t* m_ruleChannels = nullptr;
    };

    void Build(const CChangeTable& table);
    // The rules were added, edited or deleted: the next event rebuilds.
    void MarkStale() { m_stale = true; }
    bool IsCurrentFor(const CChangeTable& table) const {
        return !m_stale && m_table == &table && m_size == table.GetSize();
    }
    // Counts the builds and front selections, so that a walk notices lists
    // made anew under it.
    std::uint32_t Generation() const { return m_generation; }

    // Whether the rule at that position of the table is the one indexed
    // there (not null, not replaced since the build).
    bool Indexed(int position, const CChangeTableItem* rule) const {
        return rule != nullptr && position >= 0 && position < m_size &&
               m_ids[static_cast<std::size_t>(position)] == rule->GetId();
    }

    // Every rule that concerns the event, whatever application and layer it
    // is for, from that table position on.
    Candidates Find(const InputEvent& event, int fromPosition = 0) const;
    // The rules of one level: those of the groups in front (thisApplication)
    // or those for every application, and of them those of one layer (0:
    // those for every layer).
    Candidates FindLevel(const InputEvent& event, bool thisApplication, int layer,
                         int fromPosition = 0) const;
    // Which groups are in front (one flag per group): the lists of their
    // rules are made anew.
    void SelectFront(const std::vector<std::uint8_t>& groupInFront);

    int LimitedRuleCount() const { return m_limitedRuleCount; }
    // Whether some rule is on one layer only.
    bool HasLayeredRules() const { return m_layersWithRules != 0; }
    // Bit n set: some rule acts on layer n only.
    std::uint32_t LayersWithRules() const { return m_layersWithRules; }
    bool HasRulesOnLayer(int layer) const {
        return layer >= 1 && layer <= kLayers && (m_layersWithRules & (1u << layer)) != 0;
    }
    // Whether the rules are split into levels (by application or layer);
    // when not, every rule is of the one level there is.
    bool IsSplit() const {
        return m_limitedRuleCount != 0 || m_layersWithRules != 0 || m_beyondLayersRuleCount != 0;
    }
    // The layer of the rule at that position (0 every layer), or kNoLayer
    // for a number beyond 16, whose rule is in no level.
    static constexpr std::uint8_t kNoLayer = 0xFF;
    std::uint8_t LayerAt(int position) const {
        return m_layerOf[static_cast<std::size_t>(position)];
    }
    // Application groups are numbered from 0; a position of one of its rules
    // tells the group's application.
    int GroupCount() const { return static_cast<int>(m_groupRules.size()); }
    int GroupRulePosition(int group) const { return m_groupRules[static_cast<std::size_t>(group)]; }
    // The group of the rule at that position, or kEveryApplication.
    static constexpr int kEveryApplication = -1;
    int GroupAt(int position) const { return m_groupOf[static_cast<std::size_t>(position)]; }

private:
    // Lists per channel slot: every channel, 1..16, and the channels beyond.
    static constexpr int kSlots = 18;
    static constexpr int kOtherChannels = 17;
    // Channel slots per device slot: every device and the slots 1..8.
    static constexpr int kDeviceSlots = 9;
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
    static constexpr int kListsPerDevice = kSlots * kListsPerSlot;
    static constexpr int kNoList = -1;
    static constexpr int kLayers = 16;

    // Every list of every slot one after the other: list l is
    // positions[starts[l] .. starts[l + 1]).
    struct DenseLists {
        std::vector<std::uint32_t> starts;
        std::vector<std::int32_t> positions;
    };

    static int SlotOfRule(std::uint8_t inputCh);
    // The list of one slot for an event's kind and number, or kNoList when
    // no rule can concern it.
    static int ListOf(const InputEvent& event);
    template <typename Visit> static void ForEachList(const CChangeTableItem& rule, Visit visit);
    // Lists of the rules at the positions wanted(position) picks.
    template <typename Wanted>
    void BuildDense(const CChangeTable& table, Wanted wanted, DenseLists& lists) const;
    // The same, once per layer that has such rules: byLayer[0] for every
    // layer, byLayer[n] for layer n (left empty when no wanted rule is on it).
    template <typename Wanted>
    void BuildByLayer(const CChangeTable& table, Wanted wanted,
                      std::vector<DenseLists>& byLayer) const;
    void BuildGroups(const CChangeTable& table);
    Candidates FindDense(const DenseLists& lists, const InputEvent& event, int fromPosition) const;
    // The slots an event's channel looks in: every channel and its own.
    template <typename AddSlot> void ForEachSlot(const InputEvent& event, AddSlot add) const;

    const CChangeTable* m_table = nullptr;
    int m_size = 0;
    bool m_stale = true;
    std::uint32_t m_generation = 0;
    // Per table position: the rule's id, its channel and its group.
    std::vector<CChangeTableItem::Id> m_ids;
    std::vector<std::uint8_t> m_ruleChannels;
    std::vector<int> m_groupOf;
    std::vector<std::uint8_t> m_layerOf;
    int m_limitedRuleCount = 0;
    std::uint32_t m_layersWithRules = 0;
    int m_beyondLayersRuleCount = 0;
    // 1 while no rule is for one device, kDeviceSlots otherwise.
    int m_deviceSlotCount = 1;
    DenseLists m_all;
    // By layer; only built when the rules are split, m_all serves otherwise.
    std::vector<DenseLists> m_general;
    std::vector<DenseLists> m_front;
    std::vector<int> m_groupRules;
};
