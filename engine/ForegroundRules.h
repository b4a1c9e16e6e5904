#pragma once
#include "ChangeTable.h"
#include "RuleIndex.h"

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
// every rule only when the window or the table changed. The rules of the
// program in front that could take the event are the event's candidates
// from the index, so the choice costs what the event concerns, not the
// table. Scopes are kept by table position, as the index keeps the rules.
class CForegroundRules {
public:
    // What one event's walk may use; kept by the walk, so that a nested
    // event cannot change it under the walk.
    enum Choice : std::uint8_t { EveryApplication, ThisApplicationOnly };

    explicit CForegroundRules(IEngineActions& platform) : m_platform(platform) {}

    // The rules were edited, added or deleted (the index was rebuilt).
    void TableChanged(const CChangeTable& table);

    // Before the walk over the event's candidates: decides which rules the
    // walk may use. takes(rule) tells whether a rule takes the event.
    template <typename Takes>
    Choice Choose(const CChangeTable& table, CRuleIndex::Candidates candidates, Takes takes);

    // Whether the rule at that table position may act on this event.
    bool Admits(int position, Choice choice) const;

private:
    enum Scope : std::uint8_t { AnyApplication, ThisApplication, OtherApplication };

    // False when the table has no rule limited to an application.
    bool Prepare(const CChangeTable& table);
    void Classify(const CChangeTable& table);

    IEngineActions& m_platform;
    int m_limitedRuleCount = 0;
    bool m_windowKnown = false;
    std::uintptr_t m_window = 0;
    std::string m_exePath;
    bool m_classified = false;
    // Per table position.
    std::vector<Scope> m_scopes;
};

template <typename Takes>
CForegroundRules::Choice CForegroundRules::Choose(const CChangeTable& table,
                                                  CRuleIndex::Candidates candidates, Takes takes) {
    if (!Prepare(table)) {
        return EveryApplication;
    }
    for (int position; (position = candidates.Next()) >= 0;) {
        const CChangeTableItem* rule = table.GetAt(position);
        if (rule != nullptr && m_scopes[static_cast<std::size_t>(position)] == ThisApplication &&
            takes(*rule)) {
            return ThisApplicationOnly;
        }
    }
    return EveryApplication;
}
