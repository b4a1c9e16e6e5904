#include "ForegroundRules.h"

#include "EngineActions.h"

void CForegroundRules::TableChanged(const CChangeTable& table, CRuleIndex& index) {
    m_anyLimited = index.LimitedRuleCount() != 0;
    m_classified = false;
    // The index was built anew, without lists of the rules in front.
    m_frontSelected = false;
    // A walk that goes on after the table changed under it (a nested message
    // loop) is admitted by the groups of the new table, for the same window.
    Classify(table, index);
}

bool CForegroundRules::Prepare(const CChangeTable& table, CRuleIndex& index) {
    if (!m_anyLimited) {
        return false;
    }
    const std::uintptr_t window = m_platform.ForegroundWindow();
    if (!m_windowKnown || window != m_window) {
        m_windowKnown = true;
        m_window = window;
        m_exePath = window != 0 ? m_platform.WindowExePath(window) : std::string();
        m_classified = false;
    }
    if (!m_classified) {
        Classify(table, index);
    }
    return true;
}

// One comparison per application of the table, not per rule. An unknown
// executable (no window in front, or a process we may not read) is no
// application of any rule: the rules for every application act.
void CForegroundRules::Classify(const CChangeTable& table, CRuleIndex& index) {
    bool anyInFront = false;
    m_classifying.assign(static_cast<std::size_t>(index.GroupCount()), 0);
    for (int group = 0; group < index.GroupCount(); ++group) {
        const CChangeTableItem* rule = table.GetAt(index.GroupRulePosition(group));
        if (rule != nullptr && rule->IsForApplication(m_exePath)) {
            m_classifying[static_cast<std::size_t>(group)] = 1;
            anyInFront = true;
        }
    }
    m_classified = true;
    // Another window of the same program, or of another program without
    // rules of its own, leaves the same groups in front: their lists stay,
    // as making them costs a walk over the table.
    if (m_frontSelected && m_classifying == m_groupInFront) {
        return;
    }
    m_groupInFront.swap(m_classifying);
    m_anyInFront = anyInFront;
    index.SelectFront(m_groupInFront);
    m_frontSelected = true;
}

CRuleIndex::Candidates CForegroundRules::WalkCandidates(const CRuleIndex& index,
                                                        const InputEvent& event, Choice choice,
                                                        bool releaseAnywhere,
                                                        int fromPosition) const {
    if (!index.IsSplit() || releaseAnywhere) {
        return index.Find(event, fromPosition);
    }
    return index.FindLevel(event, choice.thisApplication, choice.layer, fromPosition);
}

bool CForegroundRules::Admits(const CRuleIndex& index, int position, Choice choice) const {
    if (!index.IsSplit()) {
        return true;
    }
    if (index.LayerAt(position) != choice.layer) {
        return false;
    }
    const int group = index.GroupAt(position);
    if (group == CRuleIndex::kEveryApplication) {
        return !choice.thisApplication;
    }
    return choice.thisApplication && group < static_cast<int>(m_groupInFront.size()) &&
           m_groupInFront[static_cast<std::size_t>(group)] != 0;
}
