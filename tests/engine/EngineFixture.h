#pragma once
#include "ChangeTable.h"
#include "ConversionEngine.h"
#include "MidiInEventListenerManager.h"
#include "MidiMessages.h"
#include "RecordingEngineActions.h"

#include <gtest/gtest.h>

// An engine on a table of its own, fed through the listener manager exactly
// as the resident window feeds it, with its actions written down.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() { manager.AddListener(&engine); }

    CChangeTableItem& AddRule(std::uint8_t inputKind, std::uint8_t outputKind) {
        auto* rule = new CChangeTableItem;
        rule->InputKind = inputKind;
        rule->OutputKind = outputKind;
        table.InsertAt(table.GetSize(), rule);
        return *rule;
    }
    CChangeTableItem& AddNoteKey(std::uint8_t first, std::uint8_t last, std::uint8_t keyCode) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::KeyInput);
        rule.NoteNumber = first;
        rule.NoteNumberEnd = last;
        rule.KeyCode = keyCode;
        return rule;
    }
    CChangeTableItem& AddNoteToggle(std::uint8_t note) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::ToggleEnabled);
        rule.NoteNumber = rule.NoteNumberEnd = note;
        return rule;
    }
    void Send(std::uint32_t message) { manager.OnShortMessage(0x1234, message); }
    void Bend(std::initializer_list<int> values, int channel = 0) {
        for (int v : values) {
            Send(PitchBend(channel, v));
        }
    }
    void Controller(int controller, std::initializer_list<int> values, int channel = 0) {
        for (int v : values) {
            Send(ControlChange(channel, controller, v));
        }
    }
    std::vector<std::string>& Log() { return actions.log; }
    // Moves the clock on by ms, firing the stroke timer at each time it was
    // set for on the way, as the platform's timer would.
    void Wait(int ms) {
        const std::uint64_t end = actions.now + static_cast<std::uint64_t>(ms);
        while (actions.timerDueMs >= 0 && static_cast<std::uint64_t>(actions.timerDueMs) <= end) {
            if (static_cast<std::uint64_t>(actions.timerDueMs) > actions.now) {
                actions.now = static_cast<std::uint64_t>(actions.timerDueMs);
            }
            actions.timerDueMs = -1;
            engine.OnStrokeTimer();
        }
        actions.now = end;
    }

    CChangeTable table;
    RecordingEngineActions actions;
    CConversionEngine engine{&table, actions};
    CMidiInEventListenerManager manager;
};

using Actions = std::vector<std::string>;
