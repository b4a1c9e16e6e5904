#include "EngineFixture.h"
#include "EngineSuspension.h"

// Layers: which rules act on which layer, how switches and holds change the
// layer, and that held keys follow their own inputs across a switch.
class LayerRules : public EngineTest {
protected:
    LayerRules() {
        engine.SetLayerChangeHandler([this](int layer) { changes.push_back(layer); });
    }
    CChangeTableItem& NoteKeyOn(std::uint8_t layer, std::uint8_t note, std::uint8_t keyCode) {
        CChangeTableItem& rule = AddNoteKey(note, note, keyCode);
        rule.Layer = layer;
        return rule;
    }
    CChangeTableItem& NoteSwitch(std::uint8_t note, std::uint8_t action, std::uint8_t target) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::SwitchLayer);
        rule.NoteNumber = rule.NoteNumberEnd = note;
        rule.LayerAction = action;
        rule.LayerTarget = target;
        return rule;
    }
    void Strike(std::uint8_t note) {
        Send(NoteOn(0, note));
        Send(NoteOff(0, note));
    }
    std::vector<int> changes;
};

TEST_F(LayerRules, TheMostSpecificLevelActsAndNoOther) {
    constexpr std::uintptr_t kPaint = 7;
    actions.PutInFront(kPaint, "C:\\Tools\\Paint.exe");
    NoteKeyOn(0, 60, 0x41);                             // every layer, every application
    NoteKeyOn(2, 60, 0x42);                             // layer 2, every application
    NoteKeyOn(0, 60, 0x43).SetForeExePath("Paint.exe"); // every layer, Paint
    NoteKeyOn(2, 60, 0x44).SetForeExePath("Paint.exe"); // layer 2, Paint
    NoteKeyOn(3, 61, 0x45);                             // only on layer 3
    NoteSwitch(50, CChangeTableItem::GoToLayer, 2);
    NoteSwitch(51, CChangeTableItem::GoToLayer, 1);

    Strike(60);
    Strike(61);
    Strike(50);
    Strike(60);
    actions.PutInFront(0, "");
    Strike(60);
    Strike(51);
    Strike(60);
    EXPECT_EQ(Log(), (Actions{KeyAction(0x43), KeyAction(0x44), KeyAction(0x42), KeyAction(0x41)}));
    EXPECT_EQ(changes, (std::vector<int>{2, 1}));
}

TEST_F(LayerRules, GoToNextAndPreviousGoRoundTheLayersInUse) {
    NoteKeyOn(3, 60, 0x43);
    NoteKeyOn(5, 60, 0x45);
    ASSERT_TRUE(table.LayerNames().Set(8, "名前だけ"));
    NoteSwitch(50, CChangeTableItem::NextLayer, 1);
    NoteSwitch(51, CChangeTableItem::PreviousLayer, 1);
    NoteSwitch(52, CChangeTableItem::GoToLayer, 16);
    NoteSwitch(53, CChangeTableItem::GoToLayer, 0); // no layer: nothing
    EXPECT_EQ(engine.CurrentLayer(), 1);
    for (int i = 0; i < 4; ++i) {
        Strike(50);
    }
    EXPECT_EQ(changes, (std::vector<int>{3, 5, 8, 1}));
    Strike(51);
    EXPECT_EQ(engine.CurrentLayer(), 8);
    Strike(52);
    Strike(53);
    EXPECT_EQ(engine.CurrentLayer(), 16);
    Strike(50);
    EXPECT_EQ(engine.CurrentLayer(), 1) << "from a layer not in use to the next one that is";
}

TEST_F(LayerRules, AHeldLayerLastsWhileAnyInputHoldsItAndReturnsToTheLayerBefore) {
    NoteSwitch(50, CChangeTableItem::GoToLayer, 2);
    NoteSwitch(40, CChangeTableItem::HoldLayer, 3);
    NoteSwitch(41, CChangeTableItem::HoldLayer, 3);
    NoteSwitch(42, CChangeTableItem::HoldLayer, 4);
    Strike(50);
    // Two inputs hold the same layer.
    Send(NoteOn(0, 40));
    Send(NoteOn(0, 41));
    Send(NoteOff(0, 40));
    EXPECT_EQ(engine.CurrentLayer(), 3);
    Send(NoteOff(0, 41));
    EXPECT_EQ(engine.CurrentLayer(), 2);
    // Two hold different layers, the later let go first...
    Send(NoteOn(0, 40));
    Send(NoteOn(0, 42));
    EXPECT_EQ(engine.CurrentLayer(), 4);
    Send(NoteOff(0, 42));
    EXPECT_EQ(engine.CurrentLayer(), 3);
    Send(NoteOff(0, 40));
    EXPECT_EQ(engine.CurrentLayer(), 2);
    // ...and the earlier first.
    Send(NoteOn(0, 40));
    Send(NoteOn(0, 42));
    Send(NoteOff(0, 40));
    EXPECT_EQ(engine.CurrentLayer(), 4);
    Send(NoteOff(0, 42));
    EXPECT_EQ(engine.CurrentLayer(), 2);
    EXPECT_EQ(changes, (std::vector<int>{2, 3, 2, 3, 4, 3, 2, 3, 4, 2}));
}

TEST_F(LayerRules, PedalAndBendHoldALayerUntilTheyAreLetGo) {
    CChangeTableItem& pedal =
        AddRule(CChangeTableItem::ControlChange, CChangeTableItem::SwitchLayer);
    pedal.CCNumber = 64;
    pedal.LayerAction = CChangeTableItem::HoldLayer;
    pedal.LayerTarget = 5;
    CChangeTableItem& bend =
        AddRule(CChangeTableItem::PitchBendPlus, CChangeTableItem::SwitchLayer);
    bend.LayerAction = CChangeTableItem::HoldLayer;
    bend.LayerTarget = 6;
    CChangeTableItem& program =
        AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::SwitchLayer);
    program.LayerAction = CChangeTableItem::HoldLayer; // no release: never acts
    program.LayerTarget = 7;
    Controller(64, {127, 127, 100});
    EXPECT_EQ(engine.CurrentLayer(), 5);
    Controller(64, {10});
    EXPECT_EQ(engine.CurrentLayer(), 1);
    Bend({4000});
    EXPECT_EQ(engine.CurrentLayer(), 6);
    Bend({0});
    EXPECT_EQ(engine.CurrentLayer(), 1);
    Send(ProgramChange(0, 0));
    EXPECT_EQ(engine.CurrentLayer(), 1);
}

TEST_F(LayerRules, AKeyHeldAcrossASwitchIsReleasedByItsOwnInput) {
    NoteKeyOn(1, 60, 0x41).KeyHold = 1;
    CChangeTableItem& pedalKey =
        AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    pedalKey.CCNumber = 64;
    pedalKey.KeyCode = 0x10;
    pedalKey.KeyHold = 1;
    pedalKey.Layer = 1;
    NoteSwitch(50, CChangeTableItem::GoToLayer, 2);
    NoteKeyOn(2, 60, 0x42).KeyHold = 1;
    Send(NoteOn(0, 60));
    Controller(64, {127});
    Strike(50);
    EXPECT_EQ(engine.CurrentLayer(), 2);
    EXPECT_EQ(Log(), (Actions{KeysAction("v41"), KeysAction("v10")}))
        << "the switch lets go of nothing still held";
    Send(NoteOff(0, 60));
    Controller(64, {0});
    EXPECT_EQ(Log(), (Actions{KeysAction("v41"), KeysAction("v10"), KeysAction("^41"),
                              KeysAction("^10")}));
    EXPECT_FALSE(engine.HoldsKeys());
    Send(NoteOn(0, 60));
    Send(NoteOff(0, 60));
    EXPECT_EQ(Log().back(), KeysAction("^42")) << "layer 2's own key now";
}

TEST_F(LayerRules, SwitchesDoNothingWhileTheConverterIsOffAndHeldLayersEndWithIt) {
    NoteSwitch(50, CChangeTableItem::GoToLayer, 2);
    NoteSwitch(40, CChangeTableItem::HoldLayer, 3);
    AddNoteToggle(70);
    Send(NoteOn(0, 40));
    EXPECT_EQ(engine.CurrentLayer(), 3);
    Strike(70); // off
    EXPECT_EQ(engine.CurrentLayer(), 1) << "the held layer ends with the converter";
    Send(NoteOff(0, 40));
    Strike(50);
    EXPECT_EQ(engine.CurrentLayer(), 1);
    Strike(70); // on
    Strike(50);
    EXPECT_EQ(engine.CurrentLayer(), 2);
}

TEST_F(LayerRules, ALayerBeyondSixteenNeverActsAndALatchEndsTheHolds) {
    NoteKeyOn(17, 60, 0x41);
    NoteKeyOn(255, 60, 0x42);
    NoteSwitch(40, CChangeTableItem::HoldLayer, 3);
    NoteSwitch(50, CChangeTableItem::GoToLayer, 2);
    Strike(60);
    EXPECT_TRUE(Log().empty());
    Send(NoteOn(0, 40));
    Strike(50);
    EXPECT_EQ(engine.CurrentLayer(), 2);
    Send(NoteOff(0, 40));
    EXPECT_EQ(engine.CurrentLayer(), 2) << "the latch went somewhere to stay";
}
