// Several devices at once: rules for one device slot or for all, and what
// each device's inputs hold and have sent kept apart.
#include "EngineFixture.h"

namespace {
constexpr std::uint32_t kPortOfSlot1 = 0x1001;
constexpr std::uint32_t kPortOfSlot2 = 0x2002;
constexpr std::uint32_t kPortOfNoSlot = 0x3003;
} // namespace

class DeviceRules : public EngineTest {
protected:
    DeviceRules() {
        engine.PortOpened(1, kPortOfSlot1);
        engine.PortOpened(2, kPortOfSlot2);
    }
    CChangeTableItem& NoteKeyOf(std::uint8_t device, std::uint8_t note, std::uint8_t keyCode) {
        CChangeTableItem& rule = AddNoteKey(note, note, keyCode);
        rule.InputDevice = device;
        return rule;
    }
    void From(std::uint32_t port, std::uint32_t message) { manager.OnShortMessage(port, message); }
};

TEST_F(DeviceRules, ANoteStrikesItsDevicesRulesAndTheRulesForEveryDevice) {
    NoteKeyOf(1, 60, 'A');
    NoteKeyOf(2, 60, 'B');
    NoteKeyOf(0, 60, 'C');
    NoteKeyOf(3, 60, 'D');   // a slot with no port
    NoteKeyOf(200, 60, 'E'); // a hand-edited number beyond the slots
    From(kPortOfSlot1, NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction('A'), KeyAction('C')}));
    Log().clear();
    From(kPortOfSlot2, NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction('B'), KeyAction('C')}));
    Log().clear();
    From(kPortOfNoSlot, NoteOn(0, 60));
    EXPECT_EQ(Log(), Actions{KeyAction('C')});
}

TEST_F(DeviceRules, AClosedPortsMessagesNoLongerCountAsItsSlots) {
    NoteKeyOf(2, 60, 'B');
    engine.PortClosed(2);
    From(kPortOfSlot2, NoteOn(0, 60));
    EXPECT_TRUE(Log().empty());
    // Plugged in again under another handle.
    engine.PortOpened(2, 0x2222);
    From(0x2222, NoteOn(0, 60));
    EXPECT_EQ(Log(), Actions{KeyAction('B')});
}

TEST_F(DeviceRules, TwoDevicesKnobsOnOneControllerDoNotDisturbEachOther) {
    for (std::uint8_t kind :
         {CChangeTableItem::ControlChangeUp, CChangeTableItem::ControlChangeDown}) {
        CChangeTableItem& rule = AddRule(kind, CChangeTableItem::KeyInput);
        rule.CCNumber = 10;
        rule.KeyCode = kind == CChangeTableItem::ControlChangeUp ? 'U' : 'D';
    }
    From(kPortOfSlot1, ControlChange(0, 10, 20));
    From(kPortOfSlot2, ControlChange(0, 10, 100));
    EXPECT_TRUE(Log().empty()) << "each device's first value only tells where its knob stands";
    From(kPortOfSlot1, ControlChange(0, 10, 21));
    From(kPortOfSlot2, ControlChange(0, 10, 99));
    EXPECT_EQ(Log(), (Actions{KeyAction('U'), KeyAction('D')}));
}

TEST_F(DeviceRules, AnEdgeRuleSeesItsOwnDevicesLastValue) {
    CChangeTableItem& rule = AddRule(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    rule.CCNumber = 64;
    rule.CCFlag = CChangeTableItem::CCFlagRisingEdge;
    rule.KeyCode = 'P';
    From(kPortOfSlot1, ControlChange(0, 64, 127));
    From(kPortOfSlot2, ControlChange(0, 64, 127));
    EXPECT_EQ(Log(), (Actions{KeyAction('P'), KeyAction('P')}));
}

TEST_F(DeviceRules, LosingOneDeviceReleasesOnlyWhatItsInputsHold) {
    NoteKeyOf(0, 60, 'A').KeyHold = 1;
    From(kPortOfSlot1, NoteOn(0, 60));
    From(kPortOfSlot2, NoteOn(0, 60));
    EXPECT_EQ(Log(), Actions{KeysAction("v41")}) << "one key, held by two inputs";
    From(kPortOfSlot1, NoteOff(0, 60));
    EXPECT_TRUE(engine.HoldsKeys()) << "the other device's note still holds it";
    From(kPortOfSlot1, NoteOn(0, 60));
    engine.PortClosed(2);
    EXPECT_TRUE(engine.HoldsKeys()) << "the first device still holds it";
    EXPECT_EQ(Log().size(), 1u);
    engine.PortClosed(1);
    EXPECT_FALSE(engine.HoldsKeys());
    EXPECT_EQ(Log(), (Actions{KeysAction("v41"), KeysAction("^41")}));
}

TEST_F(DeviceRules, EachDevicesRepeatEndsWithItsOwnReleaseOrUnplugging) {
    NoteKeyOf(0, 60, 'A').KeyRepeat = 1;
    actions.repeatDelaySetting = 0; // 250 ms
    actions.repeatSpeedSetting = 0; // 400 ms
    From(kPortOfSlot1, NoteOn(0, 60));
    From(kPortOfSlot2, NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction('A'), KeyAction('A')})) << "each device starts its own";
    From(kPortOfSlot2, NoteOff(0, 60));
    Log().clear();
    Wait(300);
    EXPECT_EQ(Log(), Actions{KeyAction('A')}) << "the other device's note-off ends only its own";
    From(kPortOfSlot2, NoteOn(0, 60));
    engine.PortClosed(1);
    Log().clear();
    Wait(300);
    EXPECT_EQ(Log(), Actions{KeyAction('A')}) << "unplugging one device ends only its repeat";
    engine.PortClosed(2);
    Log().clear();
    Wait(2000);
    EXPECT_TRUE(Log().empty());
}

// One device's shift pad: its layer is that device's input's to end, and
// the four levels hold per device.
TEST_F(DeviceRules, ADevicesHeldLayerEndsByThatDevicesReleaseOrItsUnplugging) {
    CChangeTableItem& shift = AddRule(CChangeTableItem::Note, CChangeTableItem::SwitchLayer);
    shift.NoteNumber = shift.NoteNumberEnd = 36;
    shift.InputDevice = 1;
    shift.LayerAction = CChangeTableItem::HoldLayer;
    shift.LayerTarget = 2;
    NoteKeyOf(0, 60, 'A');
    NoteKeyOf(2, 60, 'B').Layer = 2;
    NoteKeyOf(1, 60, 'C').Layer = 2;

    From(kPortOfSlot2, NoteOn(0, 36));
    EXPECT_EQ(engine.CurrentLayer(), 1) << "the pad of the other device has no rule";
    From(kPortOfSlot1, NoteOn(0, 36));
    EXPECT_EQ(engine.CurrentLayer(), 2);
    From(kPortOfSlot2, NoteOn(0, 60));
    From(kPortOfSlot1, NoteOn(0, 60));
    From(kPortOfSlot2, NoteOff(0, 36));
    EXPECT_EQ(engine.CurrentLayer(), 2) << "another device's note of the same number";
    engine.PortClosed(1);
    EXPECT_EQ(engine.CurrentLayer(), 1) << "no release can come from a device that is gone";
    From(kPortOfSlot2, NoteOn(0, 60));
    EXPECT_EQ(Log(), (Actions{KeyAction('B'), KeyAction('C'), KeyAction('A')}));
}
