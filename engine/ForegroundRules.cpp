#include "ForegroundRules.h"

#include "EngineActions.h"

void CForegroundRules::TableChanged(const CChangeTable& table) {
    m_limitedRuleCount = 0;
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule != nullptr && rule->IsForOneApplication()) {
            ++m_limitedRuleCount;
        }
    }
    m_classified = false;
    // A walk that goes on after the table changed under it (a nested message
    // loop) is admitted by the scopes of the new table, for the same window.
    if (m_limitedRuleCount != 0) {
        Classify(table);
    }
}

bool CForegroundRules::Prepare(const CChangeTable& table) {
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
    m_scopes.assign(static_cast<std::size_t>(table.GetSize()), AnyApplication);
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem* rule = table.GetAt(i);
        if (rule != nullptr && rule->IsForOneApplication()) {
            m_scopes[static_cast<std::size_t>(i)] =
                rule->IsForApplication(m_exePath) ? ThisApplication : OtherApplication;
        }
    }
    m_classified = true;
}

bool CForegroundRules::Admits(int position, Choice choice) const {
    if (m_limitedRuleCount == 0) {
        return true;
    }
    // Classified whenever the table changes, so only a position the table
    // does not have is missing: it does not act on a guess.
    const Scope scope = position >= 0 && position < static_cast<int>(m_scopes.size())
                            ? m_scopes[static_cast<std::size_t>(position)]
                            : OtherApplication;
    return scope == (choice == ThisApplicationOnly ? ThisApplication : AnyApplication);
}
