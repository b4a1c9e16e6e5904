#include "RuleIndex.h"

#include <algorithm>

int CRuleIndex::Candidates::Next() {
    while (m_channel != m_channelEnd && m_onlyChannel != 0 &&
           m_ruleChannels[*m_channel] != m_onlyChannel) {
        ++m_channel;
    }
    const bool anyLeft = m_any != m_anyEnd;
    const bool channelLeft = m_channel != m_channelEnd;
    if (anyLeft && (!channelLeft || *m_any < *m_channel)) {
        return *m_any++;
    }
    if (channelLeft) {
        return *m_channel++;
    }
    return -1;
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

// Calls visit(list within the slot) for every list the rule belongs to.
template <typename Visit> void CRuleIndex::ForEachList(const CChangeTableItem& rule, Visit visit) {
    switch (rule.InputKind) {
    case CChangeTableItem::Note:
        // A reversed range holds no note.
        for (int note = rule.NoteNumber; note <= rule.NoteNumberEnd; ++note) {
            visit(kNoteLists + note);
        }
        break;
    case CChangeTableItem::ControlChange:
    case CChangeTableItem::ControlChangeUp:
    case CChangeTableItem::ControlChangeDown:
        visit(kControllerLists + rule.CCNumber);
        break;
    case CChangeTableItem::ProgramChange:
        visit(kProgramLists + kProgramKeyOffset + rule.PCNumber - rule.PCRange);
        break;
    case CChangeTableItem::PitchBendMinus:
        visit(kBendMinusList);
        break;
    case CChangeTableItem::PitchBendPlus:
        visit(kBendPlusList);
        break;
    default:
        break; // unknown kinds never match
    }
}

void CRuleIndex::Build(const CChangeTable& table) {
    m_table = &table;
    m_size = table.GetSize();
    m_stale = false;
    ++m_generation;
    m_ids.assign(static_cast<std::size_t>(m_size), 0);
    m_ruleChannels.assign(static_cast<std::size_t>(m_size), 0);
    // Counted first, then filled in table order: every list comes out
    // ascending, and the whole index is two allocations.
    m_starts.assign(kListCount + 1, 0);
    for (int i = 0; i < m_size; ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule == nullptr) {
            continue;
        }
        m_ids[static_cast<std::size_t>(i)] = rule->GetId();
        m_ruleChannels[static_cast<std::size_t>(i)] = rule->InputCh;
        const int slotBase = SlotOfRule(rule->InputCh) * kListsPerSlot;
        ForEachList(*rule, [&](int list) { ++m_starts[static_cast<std::size_t>(slotBase + list + 1)]; });
    }
    for (std::size_t l = 1; l < m_starts.size(); ++l) {
        m_starts[l] += m_starts[l - 1];
    }
    m_positions.assign(m_starts.back(), 0);
    std::vector<std::uint32_t> next(m_starts.begin(), m_starts.end() - 1);
    for (int i = 0; i < m_size; ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule == nullptr) {
            continue;
        }
        const int slotBase = SlotOfRule(rule->InputCh) * kListsPerSlot;
        ForEachList(*rule, [&](int list) {
            m_positions[next[static_cast<std::size_t>(slotBase + list)]++] = i;
        });
    }
}

CRuleIndex::Candidates CRuleIndex::Find(const InputEvent& event, int fromPosition) const {
    Candidates found;
    const int list = ListOf(event);
    if (list == kNoList || m_starts.empty()) {
        return found;
    }
    const auto span = [&](int slot, const std::int32_t*& begin, const std::int32_t*& end) {
        const std::size_t l = static_cast<std::size_t>(slot * kListsPerSlot + list);
        const std::int32_t* first = m_positions.data() + m_starts[l];
        end = m_positions.data() + m_starts[l + 1];
        begin = fromPosition > 0 ? std::lower_bound(first, end, fromPosition) : first;
    };
    span(0, found.m_any, found.m_anyEnd);
    // Channel 0 is no channel: only the rules for every channel take it.
    if (event.channel >= 1 && event.channel <= 16) {
        span(event.channel, found.m_channel, found.m_channelEnd);
    } else if (event.channel > 16) {
        span(kOtherChannels, found.m_channel, found.m_channelEnd);
        found.m_ruleChannels = m_ruleChannels.data();
        found.m_onlyChannel = event.channel;
    }
    return found;
}
