#include "EngineFixture.h"
#include "EngineSuspension.h"

namespace {
constexpr std::uint8_t kCtrl = CChangeTableItem::KeyFlagCtrl;
constexpr int kNotch = 120;
} // namespace

// Knobs and encoders turned up or down, read in each of their encodings.
class KnobRules : public EngineTest {
protected:
    // Two rules on controller 10: up strikes 'U', down strikes 'D'.
    void UpAndDown(std::uint8_t ccMode, std::uint8_t channel = 0) {
        for (std::uint8_t kind :
             {CChangeTableItem::ControlChangeUp, CChangeTableItem::ControlChangeDown}) {
            CChangeTableItem& rule = AddRule(kind, CChangeTableItem::KeyInput);
            rule.InputCh = channel;
            rule.CCNumber = 10;
            rule.CCMode = ccMode;
            rule.KeyCode = kind == CChangeTableItem::ControlChangeUp ? 'U' : 'D';
        }
    }
    // What each value of controller 10 struck, in turn ("" for nothing).
    std::vector<std::string> StrokesFor(std::initializer_list<int> values, int channel = 0) {
        std::vector<std::string> strokes;
        for (int v : values) {
            Log().clear();
            Controller(10, {v}, channel);
            strokes.push_back(Log().empty() ? "" : Log().back());
            EXPECT_LE(Log().size(), 1u) << "one batch per message";
        }
        return strokes;
    }
    static std::string Up(int n) { return KeyAction('U', 0, n); }
    static std::string Down(int n) { return KeyAction('D', 0, n); }
};

TEST_F(KnobRules, TwosComplementSingleAndAcceleratedStepsAndNoMove) {
    UpAndDown(CChangeTableItem::CCModeTwosComplement);
    EXPECT_EQ(StrokesFor({1, 2, 63, 127, 126, 65, 0, 64}),
              (Actions{Up(1), Up(2), Up(16), Down(1), Down(2), Down(16), "", ""}));
}

TEST_F(KnobRules, BinaryOffsetSingleAndAcceleratedStepsAndNoMove) {
    UpAndDown(CChangeTableItem::CCModeBinaryOffset);
    EXPECT_EQ(StrokesFor({65, 66, 127, 63, 62, 0, 64}),
              (Actions{Up(1), Up(2), Up(16), Down(1), Down(2), Down(16), ""}));
}

TEST_F(KnobRules, SignBitSingleAndAcceleratedStepsAndNoMove) {
    UpAndDown(CChangeTableItem::CCModeSignBit);
    EXPECT_EQ(StrokesFor({1, 3, 63, 65, 67, 127, 0, 64}),
              (Actions{Up(1), Up(3), Up(16), Down(1), Down(3), Down(16), "", ""}));
}

TEST_F(KnobRules, AbsoluteKnobFollowsTheChangeAndIsQuietAtTheEndStops) {
    UpAndDown(CChangeTableItem::CCModeAbsolute);
    EXPECT_EQ(StrokesFor({60, 61, 64, 62, 127, 127, 127, 100, 0, 0}),
              (Actions{"", Up(1), Up(3), Down(2), Up(16), "", "", Down(16), Down(16), ""}))
        << "the first value only records where the knob stands";
}

TEST_F(KnobRules, AbsoluteKnobStartsAfreshAfterTheDeviceReopens) {
    UpAndDown(CChangeTableItem::CCModeAbsolute);
    StrokesFor({20, 30});
    engine.ResetControllerValues();
    EXPECT_EQ(StrokesFor({90, 89}), (Actions{"", Down(1)}));
}

TEST_F(KnobRules, AbsoluteValuesAreKeptPerChannelAndAnyChannelRulesSeeEach) {
    UpAndDown(CChangeTableItem::CCModeAbsolute); // any channel
    EXPECT_EQ(StrokesFor({50}, 0), Actions{""});
    EXPECT_EQ(StrokesFor({10, 12}, 3), (Actions{"", Up(2)}))
        << "channel 4 has its own previous value";
    EXPECT_EQ(StrokesFor({49}, 0), Actions{Down(1)});
}

TEST_F(KnobRules, ChannelRuleIgnoresOtherChannelsAndOtherControllers) {
    UpAndDown(CChangeTableItem::CCModeTwosComplement, 2);
    EXPECT_EQ(StrokesFor({1}, 0), Actions{""});
    EXPECT_EQ(StrokesFor({1}, 1), Actions{Up(1)});
    Log().clear();
    Controller(11, {1}, 1);
    EXPECT_TRUE(Log().empty());
}

TEST_F(KnobRules, UnknownEncodingNeverFiresAndPlainControllerRulesStillDo) {
    UpAndDown(9);
    AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput).CCNumber = 10;
    table.GetAt(2)->KeyCode = 'C';
    EXPECT_EQ(StrokesFor({1, 127}), (Actions{KeyAction('C'), KeyAction('C')}));
}

TEST_F(KnobRules, SwitchAndActivationActOncePerMessageAndHoldIsIgnored) {
    CChangeTableItem& toggle =
        AddRule(CChangeTableItem::ControlChangeUp, CChangeTableItem::ToggleEnabled);
    toggle.CCNumber = 10;
    toggle.CCMode = CChangeTableItem::CCModeTwosComplement;
    CChangeTableItem& held = AddRule(CChangeTableItem::ControlChangeUp, CChangeTableItem::KeyInput);
    held.CCNumber = 10;
    held.CCMode = CChangeTableItem::CCModeTwosComplement;
    held.KeyCode = 'H';
    held.KeyHold = 1; // a turn has no release: struck, never held
    Controller(10, {4});
    EXPECT_EQ(Log(), (Actions{EnabledAction(false)}));
    engine.OnToggleEnabled();
    Log().clear();
    toggle.OutputKind = CChangeTableItem::KeyInput;
    toggle.KeyCode = 'T';
    Controller(10, {2});
    EXPECT_EQ(Log(), (Actions{KeyAction('T', 0, 2), KeyAction('H', 0, 2)}));
    EXPECT_FALSE(engine.HoldsKeys());
}

// Mouse wheels and buttons as the action of a rule.
class MouseRules : public EngineTest {
protected:
    CChangeTableItem& MouseOnNote(std::uint8_t note, std::uint8_t action,
                                  std::uint8_t keyFlag = 0) {
        CChangeTableItem& rule = AddRule(CChangeTableItem::Note, CChangeTableItem::MouseInput);
        rule.NoteNumber = rule.NoteNumberEnd = note;
        rule.MouseAction = action;
        rule.KeyFlag = keyFlag;
        return rule;
    }
};

TEST_F(MouseRules, WheelsTurnOneNotchPerStepWithTheirModifiers) {
    MouseOnNote(60, CChangeTableItem::WheelUp, kCtrl);
    MouseOnNote(61, CChangeTableItem::WheelDown);
    MouseOnNote(62, CChangeTableItem::WheelLeft);
    MouseOnNote(63, CChangeTableItem::WheelRight);
    MouseOnNote(64, CChangeTableItem::BackButton);
    MouseOnNote(65, 9); // unknown: nothing
    CChangeTableItem& knob =
        AddRule(CChangeTableItem::ControlChangeDown, CChangeTableItem::MouseInput);
    knob.CCNumber = 7;
    knob.CCMode = CChangeTableItem::CCModeBinaryOffset;
    knob.MouseAction = CChangeTableItem::WheelDown;
    knob.KeyFlag = kCtrl;
    for (int note = 60; note <= 65; ++note) {
        Send(NoteOn(0, static_cast<std::uint8_t>(note)));
    }
    Controller(7, {61});
    EXPECT_EQ(Log(), (Actions{WheelAction(kNotch, kCtrl), WheelAction(-kNotch),
                              WheelAction(-kNotch, 0, 1, true), WheelAction(kNotch, 0, 1, true),
                              ButtonAction(0x05), WheelAction(-kNotch, kCtrl, 3)}));
}

TEST_F(MouseRules, HeldButtonDragsUntilTheNoteOffAndIsReleasedOnEveryPath) {
    MouseOnNote(60, CChangeTableItem::LeftButton, kCtrl).KeyHold = 1;
    MouseOnNote(62, CChangeTableItem::WheelUp).KeyHold = 1; // a wheel cannot be held
    AddNoteToggle(70);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 62));
    Send(NoteOff(0, 60));
    EXPECT_EQ(Log(),
              (Actions{KeysAction("v11 vb01"), WheelAction(kNotch), KeysAction("^b01 ^11")}));

    const Actions released{KeysAction("^b01 ^11")};
    const auto hold = [&] {
        Send(NoteOn(0, 60));
        Log().clear();
    };
    hold();
    engine.ReleaseHeldKeys(); // device closed, program and session end
    EXPECT_EQ(Log(), released);
    hold();
    { CEngineSuspension editorOpen(engine); }
    EXPECT_EQ(Log(), released);
    hold();
    Send(NoteOn(0, 70)); // switched off by a rule
    EXPECT_EQ(Log(), (Actions{released[0], EnabledAction(false)}));
    engine.OnToggleEnabled();
    hold();
    engine.OnToggleEnabled(); // switched off from the tray
    EXPECT_EQ(Log(), (Actions{released[0], EnabledAction(false)}));
    EXPECT_FALSE(engine.HoldsKeys());
}
