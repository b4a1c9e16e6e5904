#include "EngineFixture.h"
#include "EngineSuspension.h"

namespace {

constexpr std::uint8_t kCtrl = CChangeTableItem::KeyFlagCtrl;
constexpr std::uint8_t kShift = CChangeTableItem::KeyFlagShift;

} // namespace

class HeldKeyRules : public EngineTest {
protected:
    CChangeTableItem& HeldNotes(std::uint8_t first, std::uint8_t last, std::uint8_t keyCode,
                                std::uint8_t keyFlag = 0) {
        CChangeTableItem& rule = AddNoteKey(first, last, keyCode);
        rule.KeyFlag = keyFlag;
        rule.KeyHold = 1;
        return rule;
    }
    CChangeTableItem& HeldPedal(std::uint8_t keyCode, std::uint8_t ccFlag,
                                std::uint8_t controller = 64) {
        CChangeTableItem& rule =
            AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
        rule.CCNumber = controller;
        rule.CCFlag = ccFlag;
        rule.KeyCode = keyCode;
        rule.KeyHold = 1;
        return rule;
    }
};

TEST_F(HeldKeyRules, NoteOnPressesAndNoteOffReleasesInReverse) {
    HeldNotes(60, 60, 0x41, kCtrl | kShift);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 60)); // a repeated note-on adds nothing
    EXPECT_EQ(Log(), Actions{KeysAction("v11 v10 v41")});
    Send(NoteOff(0, 61));
    Send(NoteOff(1, 60)); // another channel
    EXPECT_TRUE(engine.HoldsKeys());
    Send(NoteOn(0, 60, 0)); // velocity 0 is a note-off
    EXPECT_EQ(Log(), (Actions{KeysAction("v11 v10 v41"), KeysAction("^41 ^10 ^11")}));
    EXPECT_FALSE(engine.HoldsKeys());
    Send(NoteOff(0, 60));
    EXPECT_EQ(Log().size(), 2u) << "nothing is released twice";
}

TEST_F(HeldKeyRules, KeyOfARangeGoesUpWithTheLastHeldNote) {
    HeldNotes(60, 64, 0x26);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 62));
    Send(NoteOff(0, 60));
    EXPECT_EQ(Log(), Actions{KeysAction("v26")});
    Send(NoteOff(0, 62));
    EXPECT_EQ(Log(), (Actions{KeysAction("v26"), KeysAction("^26")}));
}

TEST_F(HeldKeyRules, TwoRulesSharingAKeyReleaseItOnlyWhenBothAreReleased) {
    HeldNotes(60, 60, 0x41, kCtrl);
    HeldNotes(62, 62, 0x42, kCtrl);
    Send(NoteOn(0, 60));
    Send(NoteOn(0, 62));
    Send(NoteOff(0, 60));
    Send(NoteOff(0, 62));
    EXPECT_EQ(Log(), (Actions{KeysAction("v11 v41"), KeysAction("v42"), KeysAction("^41"),
                              KeysAction("^42 ^11")}));
}

TEST_F(HeldKeyRules, PedalHoldsFrom64OrFromAnyMoveWithTheEdgeFlag) {
    HeldPedal(0x20, 0);
    Controller(64, {30, 64, 127, 63, 10});
    EXPECT_EQ(Log(), (Actions{KeysAction("v20"), KeysAction("^20")}));
    Log().clear();
    HeldPedal(0x20, CChangeTableItem::CCFlagRisingEdge, 65);
    Controller(65, {0, 5, 127, 1, 0, 0});
    EXPECT_EQ(Log(), (Actions{KeysAction("v20"), KeysAction("^20")}));
}

TEST_F(HeldKeyRules, BendWheelHoldsItsDirectionUntilItReturnsToTheCentre) {
    AddRule(CChangeTableItem::PitchBendMinus, CChangeTableItem::KeyInput).KeyCode = 0x25;
    table.GetAt(0)->KeyHold = 1;
    Bend({-100, -8000, -200});
    EXPECT_EQ(Log(), Actions{KeysAction("v25")});
    Bend({49, 100});
    EXPECT_EQ(Log(), (Actions{KeysAction("v25"), KeysAction("^25")}));
}

TEST_F(HeldKeyRules, StrokesOfOtherRulesKnowWhatIsHeldAndProgramChangeStrikes) {
    HeldPedal(0x11, 0); // a pedal as Ctrl
    AddNoteKey(60, 60, 0x41);
    CChangeTableItem& program =
        AddRule(CChangeTableItem::ProgramChange, CChangeTableItem::KeyInput);
    program.KeyCode = 0x42;
    program.KeyHold = 1;
    Controller(64, {127});
    Send(NoteOn(0, 60));
    Send(NoteOff(0, 60));
    Send(ProgramChange(0, 0));
    EXPECT_EQ(Log(), (Actions{KeysAction("v11"), KeyAction(0x41), KeyAction(0x42)}));
    EXPECT_TRUE(actions.lastHeld.count(0x11));
}

TEST_F(HeldKeyRules, EveryReleasePathLetsGoOfEverythingInOneBatch) {
    HeldNotes(60, 60, 0x41, kShift);
    HeldPedal(0x20, 0);
    AddNoteToggle(70);
    const auto holdBoth = [&] {
        Log().clear();
        Send(NoteOn(0, 60));
        Controller(64, {127});
        Log().clear();
    };
    const Actions released{KeysAction("^20 ^41 ^10")};

    holdBoth();
    engine.ReleaseHeldKeys(); // device closed, program and session end
    EXPECT_EQ(Log(), released);
    EXPECT_FALSE(engine.HoldsKeys());
    engine.ReleaseHeldKeys();
    EXPECT_EQ(Log(), released) << "nothing released that is not held";

    holdBoth();
    {
        CEngineSuspension editorOpen(engine); // also while the table changes
        EXPECT_EQ(Log(), released);
        Send(NoteOn(0, 60));
        Controller(64, {0, 127});
        EXPECT_FALSE(engine.HoldsKeys()) << "no press while suspended";
    }

    holdBoth();
    Send(NoteOn(0, 70)); // the toggle rule switches off
    EXPECT_EQ(Log(), (Actions{released[0], EnabledAction(false)}));
    Send(NoteOff(0, 60));
    Send(NoteOn(0, 60));
    EXPECT_EQ(Log().size(), 2u) << "no press while switched off";
    EXPECT_FALSE(engine.HoldsKeys());

    engine.OnToggleEnabled();
    holdBoth();
    engine.OnToggleEnabled(); // the tray menu
    EXPECT_EQ(Log(), (Actions{released[0], EnabledAction(false)}));
}
