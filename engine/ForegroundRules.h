#pragma once
#include "ChangeTable.h"

#include <cstdint>
#include <string>
#include <vector>

class IEngineActions;

// Which rules may act for the application in front. The rules limited to
// that application come first: when one of them takes the event, only they
// act, otherwise the rules for every application do; rules limited to other
// programs never act. So one program can override a general mapping and
// keep it everywhere else.
//
// Tables without such rules never ask which window is in front. Otherwise
// the window is asked once per event, and its executable and the scope of
// every rule only when the window or the table changed: the walk then costs
// one look at a flag per rule.
class CForegroundRules {
public:
    explicit CForegroundRules(IEngineActions& platform) : m_platform(platform) {}

    // The rules were edited, added or deleted.
    void TableChanged() { m_tableKnown = false; }

    // Before the walk over the table: decides which rules it may use for
    // this event. takes(rule) tells whether a rule takes the event.
    template <typename Takes> void Choose(const CChangeTable& table, Takes takes);

    // Whether the rule at that index of the table may act on this event.
    bool Admits(int index, const CChangeTableItem& rule) const;

private:
    enum Scope : std::uint8_t { EveryApplication, ThisApplication, OtherApplication };
    struct Entry {
        const CChangeTableItem* rule;
        Scope scope;
    };

    // False when the table has no rule limited to an application.
    bool Prepare(const CChangeTable& table);
    void Classify(const CChangeTable& table);

    IEngineActions& m_platform;
    bool m_tableKnown = false;
    int m_knownSize = 0;
    int m_limitedRuleCount = 0;
    bool m_windowKnown = false;
    std::uintptr_t m_window = 0;
    std::string m_exePath;
    bool m_classified = false;
    std::vector<Entry> m_entries;
    std::vector<int> m_thisApplication;
    bool m_thisApplicationOnly = false;
};

template <typename Takes> void CForegroundRules::Choose(const CChangeTable& table, Takes takes) {
    m_thisApplicationOnly = false;
    if (!Prepare(table)) {
        return;
    }
    for (const int index : m_thisApplication) {
        if (takes(*m_entries[index].rule)) {
            m_thisApplicationOnly = true;
            return;
        }
    }
}
