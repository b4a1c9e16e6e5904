#include "RuleIndex.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <string>

void CRuleIndex::Candidates::Add(const std::int32_t* begin, const std::int32_t* end,
                                 std::uint8_t onlyChannel) {
    if (begin != end) {
        m_spans[m_spanCount++] = Span{begin, end, onlyChannel};
    }
}

int CRuleIndex::Candidates::Next() {
    Span* first = nullptr;
    for (int s = 0; s < m_spanCount; ++s) {
        Span& span = m_spans[s];
        while (span.next != span.end && span.onlyChannel != 0 &&
               m_ruleChannels[*span.next] != span.onlyChannel) {
            ++span.next;
        }
        if (span.next != span.end && (first == nullptr || *span.next < *first->next)) {
            first = &span;
        }
    }
    // A rule is in one slot of one group only, so no position comes twice.
    return first != nullptr ? *first->next++ : -1;
}

int CRuleIndex::SlotOfRule(std::uint8_t inputCh) {
    return inputCh <= 16 ? inputCh : kOtherChannels;
}

int CRuleIndex::ListOf(const InputEvent& event) {
    switch (event.kind) {
    case CChangeTableItem::Note:
        return kNoteLists + event.number;
    case CChangeTableItem::ControlChange:
        // The knob directions and held pedals are matched on the plain
        // controller message too.
        return kControllerLists + event.number;
    case CChangeTableItem::ProgramChange:
        return kProgramLists + kProgramKeyOffset + event.number - event.pcRange;
    case CChangeTableItem::PitchBendMinus:
        return kBendMinusList;
    case CChangeTableItem::PitchBendPlus:
        return kBendPlusList;
    default:
        return kNoList;
    }
}

// Calls visit(list of all slots) for every list the rule belongs to.
template <typename Visit> void CRuleIndex::ForEachList(const CChangeTableItem& rule, Visit visit) {
    if (rule.InputDevice >= kDeviceSlots) {
        return; // no port has that slot
    }
    const int slotBase =
        rule.InputDevice * kListsPerDevice + SlotOfRule(rule.InputCh) * kListsPerSlot;
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
        // A reversed range holds no note.
        for (int note = rule.NoteNumber; note <= rule.NoteNumberEnd; ++note) {
            visit(slotBase + kNoteLists + note);
        }
        break;
    case CChangeTableItem::ControlChange:
    case CChangeTableItem::ControlChangeUp:
    case CChangeTableItem::ControlChangeDown:
        visit(slotBase + kControllerLists + rule.CCNumber);
        break;
    case CChangeTableItem::ProgramChange:
        visit(slotBase + kProgramLists + kProgramKeyOffset + rule.PCNumber - rule.PCRange);
        break;
    case CChangeTableItem::PitchBendMinus:
        visit(slotBase + kBendMinusList);
        break;
    case CChangeTableItem::PitchBendPlus:
        visit(slotBase + kBendPlusList);
        break;
    default:
        break; // unknown kinds never match
    }
}

// Counted first, then filled in table order: every list comes out ascending.
template <typename Wanted>
void CRuleIndex::BuildDense(const CChangeTable& table, Wanted wanted, DenseLists& lists) const {
    lists.starts.assign(static_cast<std::size_t>(m_deviceSlotCount * kListsPerDevice) + 1, 0);
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule != nullptr && wanted(i)) {
            ForEachList(*rule,
                        [&](int list) { ++lists.starts[static_cast<std::size_t>(list) + 1]; });
        }
    }
    std::partial_sum(lists.starts.begin(), lists.starts.end(), lists.starts.begin());
    lists.positions.assign(lists.starts.back(), 0);
    // Each list's start serves as its fill cursor and ends at the next
    // list's start; one shift puts the starts back.
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule != nullptr && wanted(i)) {
            ForEachList(*rule, [&](int list) {
                lists.positions[lists.starts[static_cast<std::size_t>(list)]++] = i;
            });
        }
    }
    std::copy_backward(lists.starts.begin(), lists.starts.end() - 2, lists.starts.end() - 1);
    lists.starts[0] = 0;
}

template <typename Wanted>
void CRuleIndex::BuildByLayer(const CChangeTable& table, Wanted wanted,
                              std::vector<DenseLists>& byLayer) const {
    byLayer.assign(kLayers + 1, DenseLists());
    // Only the layers that some wanted rule is on: each set of lists spans
    // every channel and device slot, and the rules in front are listed anew
    // at every change of the window in front.
    std::uint32_t layers = 0;
    for (int i = 0; i < table.GetSize(); ++i) {
        const std::uint8_t layer = m_layerOf[static_cast<std::size_t>(i)];
        if (layer <= kLayers && table.GetAt(i) != nullptr && wanted(i)) {
            layers |= 1u << layer;
        }
    }
    for (int layer = 0; layer <= kLayers; ++layer) {
        if (layers & (1u << layer)) {
            BuildDense(
                table,
                [&](int i) {
                    return m_layerOf[static_cast<std::size_t>(i)] == layer && wanted(i);
                },
                byLayer[static_cast<std::size_t>(layer)]);
        }
    }
}

void CRuleIndex::BuildGroups(const CChangeTable& table) {
    std::map<std::string, int> groupOfPath;
    for (int i = 0; i < m_size; ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule == nullptr || !rule->IsForOneApplication()) {
            continue;
        }
        const auto found =
            groupOfPath.emplace(rule->GetForeExePath(), static_cast<int>(m_groupRules.size()));
        if (found.second) {
            m_groupRules.push_back(i);
        }
        m_groupOf[static_cast<std::size_t>(i)] = found.first->second;
    }
}

void CRuleIndex::Build(const CChangeTable& table) {
    m_table = &table;
    m_size = table.GetSize();
    m_stale = false;
    ++m_generation;
    const std::size_t size = static_cast<std::size_t>(m_size);
    m_ids.assign(size, 0);
    m_ruleChannels.assign(size, 0);
    m_groupOf.assign(size, kEveryApplication);
    m_layerOf.assign(size, 0);
    m_limitedRuleCount = 0;
    m_layersWithRules = 0;
    m_beyondLayersRuleCount = 0;
    m_deviceSlotCount = 1;
    for (int i = 0; i < m_size; ++i) {
        if (const CChangeTableItem* rule = table.GetAt(i)) {
            if (rule->InputDevice != CChangeTableItem::kAnyDevice) {
                m_deviceSlotCount = kDeviceSlots;
            }
            m_ids[static_cast<std::size_t>(i)] = rule->GetId();
            m_ruleChannels[static_cast<std::size_t>(i)] = rule->InputCh;
            m_limitedRuleCount += rule->IsForOneApplication() ? 1 : 0;
            const std::uint8_t layer = rule->Layer <= kLayers ? rule->Layer : kNoLayer;
            m_layerOf[static_cast<std::size_t>(i)] = layer;
            if (layer == kNoLayer) {
                ++m_beyondLayersRuleCount;
            } else if (layer != 0) {
                m_layersWithRules |= 1u << layer;
            }
        }
    }
    BuildDense(
        table, [](int) { return true; }, m_all);
    m_groupRules.clear();
    m_general.clear();
    m_front.clear();
    if (m_limitedRuleCount != 0) {
        BuildGroups(table);
    }
    if (IsSplit()) {
        BuildByLayer(
            table,
            [&](int i) { return m_groupOf[static_cast<std::size_t>(i)] == kEveryApplication; },
            m_general);
    }
}

void CRuleIndex::SelectFront(const std::vector<std::uint8_t>& groupInFront) {
    // New lists: a walk over the old ones (a nested event changed the window
    // in front) must look its candidates up again.
    ++m_generation;
    if (m_table == nullptr || m_limitedRuleCount == 0) {
        m_front.clear();
        return;
    }
    BuildByLayer(
        *m_table,
        [&](int i) {
            const int group = m_groupOf[static_cast<std::size_t>(i)];
            return group != kEveryApplication &&
                   static_cast<std::size_t>(group) < groupInFront.size() &&
                   groupInFront[static_cast<std::size_t>(group)] != 0;
        },
        m_front);
}

template <typename AddSlot>
void CRuleIndex::ForEachSlot(const InputEvent& event, AddSlot add) const {
    add(0, 0);
    // Channel 0 is no channel: only the rules for every channel take it.
    if (event.channel >= 1 && event.channel <= 16) {
        add(event.channel, 0);
    } else if (event.channel > 16) {
        add(kOtherChannels, event.channel);
    }
}

CRuleIndex::Candidates CRuleIndex::FindDense(const DenseLists& lists, const InputEvent& event,
                                             int fromPosition) const {
    Candidates found;
    found.m_ruleChannels = m_ruleChannels.data();
    const int list = ListOf(event);
    if (list == kNoList || lists.starts.empty()) {
        return found;
    }
    const auto addDevice = [&](int device) {
        ForEachSlot(event, [&](int slot, std::uint8_t onlyChannel) {
            const std::size_t l =
                static_cast<std::size_t>(device * kListsPerDevice + slot * kListsPerSlot + list);
            const std::int32_t* end = lists.positions.data() + lists.starts[l + 1];
            const std::int32_t* begin = lists.positions.data() + lists.starts[l];
            found.Add(fromPosition > 0 ? std::lower_bound(begin, end, fromPosition) : begin, end,
                      onlyChannel);
        });
    };
    addDevice(0);
    // The lists of the event's own slot exist only when some rule is for one.
    const int devices = static_cast<int>((lists.starts.size() - 1) / kListsPerDevice);
    if (event.device >= 1 && event.device < devices) {
        addDevice(event.device);
    }
    return found;
}

CRuleIndex::Candidates CRuleIndex::Find(const InputEvent& event, int fromPosition) const {
    return FindDense(m_all, event, fromPosition);
}

CRuleIndex::Candidates CRuleIndex::FindLevel(const InputEvent& event, bool thisApplication,
                                             int layer, int fromPosition) const {
    static const DenseLists none;
    if (!IsSplit()) {
        return FindDense(!thisApplication && layer == 0 ? m_all : none, event, fromPosition);
    }
    const std::vector<DenseLists>& byLayer = thisApplication ? m_front : m_general;
    const bool known = layer >= 0 && static_cast<std::size_t>(layer) < byLayer.size();
    return FindDense(known ? byLayer[static_cast<std::size_t>(layer)] : none, event,
                     fromPosition);
}
