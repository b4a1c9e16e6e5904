// The index follows the table: rules added, edited and deleted, during a
// walk too; and the engine over random tables and messages acts exactly as
// a plain walk over the table would.
#include "EngineFixture.h"
#include "EngineSuspension.h"

#include <functional>
#include <random>

TEST_F(EngineTest, RulesAddedEditedAndDeletedActAsTheTableNowSays) {
    AddNoteKey(60, 60, 0x41);
    Send(NoteOn(0, 60));
    AddNoteKey(60, 62, 0x42); // added after the editor closed, as the window does
    Send(NoteOn(0, 61));
    Send(NoteOn(0, 60));
    {
        CEngineSuspension editing(engine);
        table.GetAt(0)->NoteNumber = table.GetAt(0)->NoteNumberEnd = 61;
        table.GetAt(1)->InputCh = 2;
    }
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 61));
    Send(NoteOn(1, 61));
    {
        CEngineSuspension deleting(engine);
        delete table.GetAt(0);
        table.RemoveAt(0);
    }
    Send(NoteOn(0, 61));
    Send(NoteOn(1, 61));
    EXPECT_EQ(Log(), (Actions{KeyAction(0x41), KeyAction(0x42), KeyAction(0x41), KeyAction(0x42),
                              KeyAction(0x41), KeyAction(0x41), KeyAction(0x42), KeyAction(0x42)}));
}

TEST_F(EngineTest, APedalHeldWhileRulesComeAndGoBeforeItIsStillReleased) {
    CChangeTableItem& pedal = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    pedal.CCNumber = 64;
    pedal.KeyCode = 0x10;
    pedal.KeyHold = 1;
    Controller(64, {127});
    // A rule put in front of the pedal's: every position moves.
    table.InsertAt(0, new CChangeTableItem);
    engine.TableChanged();
    Controller(64, {0});
    EXPECT_EQ(Log(), (Actions{KeysAction("v10"), KeysAction("^10")}));
    EXPECT_FALSE(engine.HoldsKeys());
}

namespace {

// Strikes as the recording does, then runs what a nested message loop would.
class NestedLoopActions : public RecordingEngineActions {
public:
    void Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                const CHeldKeys& programHeld) override {
        RecordingEngineActions::Strike(target, keyFlag, repeat, programHeld);
        if (auto run = std::move(duringStrike)) {
            run();
        }
    }
    std::function<void()> duringStrike;
};

CChangeTableItem* NoteKey(std::uint8_t note, std::uint8_t keyCode) {
    auto* rule = new CChangeTableItem;
    rule->NoteNumber = rule->NoteNumberEnd = note;
    rule->KeyCode = keyCode;
    return rule;
}

} // namespace

TEST(TableChangedDuringAWalk, TheWalkGoesOnWithTheRulesAfterItsPlaceInTheNewTable) {
    CChangeTable table;
    for (const std::uint8_t key : {0x41, 0x42, 0x43}) {
        table.InsertAt(table.GetSize(), NoteKey(60, key));
    }
    NestedLoopActions actions;
    CConversionEngine engine(&table, actions);
    actions.duringStrike = [&] {
        // The first rule's stroke: meanwhile the second is deleted, one added
        // at the end, and another note played.
        {
            CEngineSuspension editing(engine);
            delete table.GetAt(1);
            table.RemoveAt(1);
        }
        table.InsertAt(table.GetSize(), NoteKey(60, 0x44));
        table.InsertAt(table.GetSize(), NoteKey(61, 0x45));
        engine.OnNoteOn(0, 0, 61, 100);
    };
    engine.OnNoteOn(0, 0, 60, 100);
    EXPECT_EQ(actions.log,
              (Actions{KeyAction(0x41), KeyAction(0x45), KeyAction(0x43), KeyAction(0x44)}));
}

namespace {

// The engine's choice of rules written out as a plain walk over the whole
// table: key strokes, toggles, edge flags and rules for one application.
class PlainWalkModel {
public:
    PlainWalkModel(const CChangeTable& table, const std::string& exePath)
        : m_table(table), m_exePath(exePath) {}

    void Event(int kind, int channel, int number, int value, Actions& log) {
        bool thisApplicationOnly = false;
        for (int i = 0; i < m_table.GetSize(); ++i) {
            const CChangeTableItem& rule = *m_table.GetAt(i);
            thisApplicationOnly |= rule.IsForOneApplication() && rule.IsForApplication(m_exePath) &&
                                   Matches(rule, kind, channel, number, value);
        }
        for (int i = 0; i < m_table.GetSize(); ++i) {
            const CChangeTableItem& rule = *m_table.GetAt(i);
            const bool mine = rule.IsForOneApplication() && rule.IsForApplication(m_exePath);
            const bool admitted = thisApplicationOnly ? mine : !rule.IsForOneApplication();
            if (!admitted || !Matches(rule, kind, channel, number, value) ||
                (!enabled && rule.OutputKind != CChangeTableItem::ToggleEnabled)) {
                continue;
            }
            if (rule.OutputKind == CChangeTableItem::ToggleEnabled) {
                enabled = !enabled;
                log.push_back(EnabledAction(enabled));
            } else {
                log.push_back(KeyAction(rule.KeyCode, rule.KeyFlag));
            }
        }
        if (kind == CChangeTableItem::ControlChange) {
            m_lastCC[number] = value;
        }
    }

    bool enabled = true;

private:
    bool Matches(const CChangeTableItem& rule, int kind, int channel, int number, int value) const {
        if (rule.InputKind != kind || (rule.InputCh != 0 && rule.InputCh != channel)) {
            return false;
        }
        switch (kind) {
        case CChangeTableItem::Note:
            return rule.NoteNumber <= number && number <= rule.NoteNumberEnd;
        case CChangeTableItem::ControlChange:
            return rule.CCNumber == number &&
                   (!(rule.CCFlag & 1) || (m_lastCC[number] == 0 && value != 0));
        case CChangeTableItem::ProgramChange:
            return rule.PCNumber - rule.PCRange == number;
        default:
            return true; // the bend directions
        }
    }

    const CChangeTable& m_table;
    std::string m_exePath;
    int m_lastCC[128] = {};
};

} // namespace

TEST_F(EngineTest, OverRandomTablesAndMessagesTheRulesThatActAreThoseOfAPlainWalk) {
    std::mt19937 random(26);
    const auto pick = [&](int below) {
        return std::uniform_int_distribution<int>(0, below - 1)(random);
    };
    const char* const applications[] = {"paint.exe", "C:\\Paint\\PAINT.EXE", "writer.exe"};
    actions.PutInFront(1, "C:\\Paint\\Paint.exe");
    for (int i = 0; i < 120; ++i) {
        const std::uint8_t kinds[] = {CChangeTableItem::Note, CChangeTableItem::ControlChange,
                                      CChangeTableItem::ProgramChange,
                                      CChangeTableItem::PitchBendMinus,
                                      CChangeTableItem::PitchBendPlus};
        CChangeTableItem& rule =
            AddRule(kinds[pick(5)],
                    pick(30) ? CChangeTableItem::KeyInput : CChangeTableItem::ToggleEnabled);
        rule.InputCh = static_cast<std::uint8_t>(pick(3) ? 0 : 1 + pick(3));
        rule.NoteNumber = static_cast<std::uint8_t>(60 + pick(6));
        rule.NoteNumberEnd = static_cast<std::uint8_t>(rule.NoteNumber + pick(4) - 1);
        rule.CCNumber = static_cast<std::uint8_t>(pick(4));
        rule.CCFlag = static_cast<std::uint8_t>(pick(2));
        rule.PCNumber = static_cast<std::uint8_t>(pick(4));
        rule.PCRange = static_cast<std::uint8_t>(pick(2));
        rule.KeyCode = static_cast<std::uint8_t>(1 + i);
        if (pick(3) == 0) {
            rule.SetForeExePath(applications[pick(3)]);
        }
    }
    PlainWalkModel model(table, "C:\\Paint\\Paint.exe");
    Actions expected;
    int lastBend = 0;
    for (int m = 0; m < 3000; ++m) {
        const int channel = pick(4);
        switch (pick(4)) {
        case 0: {
            const int note = 59 + pick(9);
            model.Event(CChangeTableItem::Note, channel + 1, note, 0, expected);
            Send(NoteOn(channel, note));
            break;
        }
        case 1: {
            const int controller = pick(5);
            const int value = pick(3) ? 0 : pick(128);
            model.Event(CChangeTableItem::ControlChange, channel + 1, controller, value, expected);
            Send(ControlChange(channel, controller, value));
            break;
        }
        case 2: {
            const int program = pick(5);
            model.Event(CChangeTableItem::ProgramChange, channel + 1, program, 0, expected);
            Send(ProgramChange(channel, program));
            break;
        }
        default: {
            const int bend = pick(2) ? 0 : pick(2) ? 4000 : -4000;
            if (bend != 0 && lastBend == 0) {
                model.Event(bend > 0 ? CChangeTableItem::PitchBendPlus
                                     : CChangeTableItem::PitchBendMinus,
                            channel + 1, 0, 0, expected);
            }
            lastBend = bend;
            Bend({bend}, channel);
            break;
        }
        }
        ASSERT_EQ(Log(), expected) << "message " << m;
        ASSERT_EQ(engine.IsEnabled(), model.enabled);
    }
    EXPECT_GT(expected.size(), 500u);
}
