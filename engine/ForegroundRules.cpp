#include "ForegroundRules.h"

#include "EngineActions.h"

bool CForegroundRules::Prepare(const CChangeTable& table) {
    if (!m_tableKnown || table.GetSize() != m_knownSize) {
        m_tableKnown = true;
        m_knownSize = table.GetSize();
        m_limitedRuleCount = 0;
        for (int i = 0; i < m_knownSize; ++i) {
            const CChangeTableItem* rule = table.GetAt(i);
            if (rule != nullptr && rule->IsForOneApplication()) {
                ++m_limitedRuleCount;
            }
        }
        m_classified = false;
    }
    if (m_limitedRuleCount == 0) {
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
        Classify(table);
    }
    return true;
}

// An unknown executable (no window in front, or a process we may not read)
// is no application of any rule: the rules for every application act.
void CForegroundRules::Classify(const CChangeTable& table) {
    m_entries.clear();
    m_thisApplication.clear();
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        Scope scope = EveryApplication;
        if (rule != nullptr && rule->IsForOneApplication()) {
            scope = rule->IsForApplication(m_exePath) ? ThisApplication : OtherApplication;
        }
        if (scope == ThisApplication) {
            m_thisApplication.push_back(i);
        }
        m_entries.push_back(Entry{rule, scope});
    }
    m_classified = true;
}

bool CForegroundRules::Admits(int index, const CChangeTableItem& rule) const {
    if (m_limitedRuleCount == 0) {
        return true;
    }
    Scope scope = EveryApplication;
    if (index >= 0 && index < static_cast<int>(m_entries.size()) &&
        m_entries[index].rule == &rule) {
        scope = m_entries[index].scope;
    } else if (rule.IsForOneApplication()) {
        // The table changed during the walk (a nested message loop): a rule
        // not classified for this window does not act on a guess.
        scope = OtherApplication;
    }
    return scope == (m_thisApplicationOnly ? ThisApplication : EveryApplication);
}
