#pragma once
#include "ChangeTable.h"
#include "RuleIndex.h"

#include <cstdint>
#include <string>
#include <vector>

class IEngineActions;

// Which rules may act for the application in front and the current layer.
// The most specific rules that take the event act, and no others, in this
// order: those for the application in front and the current layer, for that
// application and every layer, for the current layer and every application,
// for every layer and every application. Rules limited to other programs or
// layers never act. So one program can override a general mapping and keep
// it everywhere else, and a layer is a set of rules laid over the base.
//
// Tables without such rules never ask which window is in front. Otherwise
// the window is asked once per event, and its executable, and which of the
// index's application groups it is (one comparison per application, not per
// rule), only when the window or the table changed. The rules of the program
// in front that could take the event are found through the index, so the
// choice costs what the event concerns.
class CForegroundRules {
public:
    // What one event's walk may use, one of the four levels; kept by the
    // walk, so that a nested event or a switch of the layer cannot change
    // it under the walk.
    struct Choice {
        bool thisApplication = false;
        // 0: the rules for every layer.
        std::uint8_t layer = 0;
    };

    explicit CForegroundRules(IEngineActions& platform) : m_platform(platform) {}

    // The rules were edited, added or deleted: the index was rebuilt.
    void TableChanged(const CChangeTable& table, CRuleIndex& index);

    // Before the walk: decides which rules it may use for this event on the
    // current layer. takes(rule) tells whether a rule takes the event.
    template <typename Takes>
    Choice Choose(const CChangeTable& table, CRuleIndex& index, const InputEvent& event,
                  int currentLayer, Takes takes);

    // The rules a walk with that choice needs to visit, from a table
    // position on: those it admits, and all rules when a held pedal may have
    // to be let go by a rule it does not admit.
    CRuleIndex::Candidates WalkCandidates(const CRuleIndex& index, const InputEvent& event,
                                          Choice choice, bool releaseAnywhere,
                                          int fromPosition) const;

    // Whether the rule at that table position may act on this event.
    bool Admits(const CRuleIndex& index, int position, Choice choice) const;

    // The executable of `window` when it is the window the last event found
    // in front, else nullptr: whoever else follows the window in front (the
    // lights, right after the event) need not ask the system again, which
    // costs a process query per change of window.
    const std::string* KnownExePath(std::uintptr_t window) const {
        return m_windowKnown && m_window == window ? &m_exePath : nullptr;
    }

private:
    // False when the table has no rule limited to an application.
    bool Prepare(const CChangeTable& table, CRuleIndex& index);
    void Classify(const CChangeTable& table, CRuleIndex& index);

    IEngineActions& m_platform;
    bool m_anyLimited = false;
    bool m_windowKnown = false;
    std::uintptr_t m_window = 0;
    std::string m_exePath;
    bool m_classified = false;
    // Per group of the index: whether its application is the one in front.
    std::vector<std::uint8_t> m_groupInFront;
    bool m_anyInFront = false;
    // Whether the index has the lists of m_groupInFront (not since a build).
    bool m_frontSelected = false;
    // The groups of a window being classified, kept to be reused.
    std::vector<std::uint8_t> m_classifying;
};

template <typename Takes>
CForegroundRules::Choice CForegroundRules::Choose(const CChangeTable& table, CRuleIndex& index,
                                                  const InputEvent& event, int currentLayer,
                                                  Takes takes) {
    const bool front = Prepare(table, index) && m_anyInFront;
    const bool layered = index.HasRulesOnLayer(currentLayer);
    const std::uint8_t layer = static_cast<std::uint8_t>(currentLayer);
    const Choice levels[] = {{true, layer}, {true, 0}, {false, layer}};
    for (const Choice& level : levels) {
        if ((level.thisApplication && !front) || (level.layer != 0 && !layered)) {
            continue;
        }
        CRuleIndex::Candidates candidates =
            index.FindLevel(event, level.thisApplication, level.layer);
        for (int position; (position = candidates.Next()) >= 0;) {
            const CChangeTableItem* rule = table.GetAt(position);
            if (rule != nullptr && takes(*rule)) {
                return level;
            }
        }
    }
    // The base: every layer, every application.
    return Choice{};
}
