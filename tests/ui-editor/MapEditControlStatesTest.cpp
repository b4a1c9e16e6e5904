#include "ChangeTableItem.h"
#include "MapEditControlStates.h"

#include <gtest/gtest.h>

namespace {

TEST(MapEditControlStates, EachInputKindEnablesOnlyItsOwnFields) {
    const auto note = MapEditControlStatesFor(CChangeTableItem::Note, -1);
    EXPECT_TRUE(note.note);
    EXPECT_FALSE(note.controller);
    EXPECT_FALSE(note.program);

    const auto controller = MapEditControlStatesFor(CChangeTableItem::ControlChange, -1);
    EXPECT_FALSE(controller.note);
    EXPECT_TRUE(controller.controller);
    EXPECT_FALSE(controller.program);

    const auto program = MapEditControlStatesFor(CChangeTableItem::ProgramChange, -1);
    EXPECT_FALSE(program.note);
    EXPECT_FALSE(program.controller);
    EXPECT_TRUE(program.program);
}

TEST(MapEditControlStates, PitchBendAndUnknownKindsHaveNoFields) {
    for (int kind : {2, 3, -1, 7}) {
        const auto states = MapEditControlStatesFor(kind, -1);
        EXPECT_FALSE(states.note) << kind;
        EXPECT_FALSE(states.controller) << kind;
        EXPECT_FALSE(states.program) << kind;
    }
}

TEST(MapEditControlStates, EachOutputKindEnablesOnlyItsOwnFields) {
    const auto key = MapEditControlStatesFor(-1, CChangeTableItem::KeyInput);
    EXPECT_TRUE(key.key);
    EXPECT_FALSE(key.application);

    const auto application = MapEditControlStatesFor(-1, CChangeTableItem::ActivateApplication);
    EXPECT_FALSE(application.key);
    EXPECT_TRUE(application.application);

    const auto toggle = MapEditControlStatesFor(-1, CChangeTableItem::ToggleEnabled);
    EXPECT_FALSE(toggle.key);
    EXPECT_FALSE(toggle.application);
}

TEST(MapEditControlStates, HoldingTheKeyNeedsAKeyAndAnInputThatIsReleased) {
    for (int input : {CChangeTableItem::Note, CChangeTableItem::ControlChange,
                      CChangeTableItem::PitchBendMinus, CChangeTableItem::PitchBendPlus}) {
        EXPECT_TRUE(MapEditControlStatesFor(input, CChangeTableItem::KeyInput).keyHold) << input;
        EXPECT_FALSE(MapEditControlStatesFor(input, CChangeTableItem::ToggleEnabled).keyHold)
            << input;
    }
    for (int input : {int{CChangeTableItem::ProgramChange}, -1, 7}) {
        EXPECT_FALSE(MapEditControlStatesFor(input, CChangeTableItem::KeyInput).keyHold) << input;
    }
}

TEST(MapEditControlStates, InputAndOutputSidesAreIndependent) {
    const auto states =
        MapEditControlStatesFor(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput);
    EXPECT_TRUE(states.controller);
    EXPECT_TRUE(states.key);
    EXPECT_FALSE(states.application);
}

} // namespace

TEST(MapEditControlStates, KnobsUseTheControllerAndTheEncodingMouseButtonsCanBeHeld) {
    const auto knob = MapEditControlStatesFor(CChangeTableItem::ControlChangeDown, -1);
    EXPECT_TRUE(knob.controller);
    EXPECT_TRUE(knob.knob);
    EXPECT_FALSE(knob.controllerEdge);
    EXPECT_FALSE(MapEditControlStatesFor(CChangeTableItem::ControlChange, -1).knob);

    const auto wheel = MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::MouseInput,
                                               CChangeTableItem::WheelUp);
    EXPECT_TRUE(wheel.mouse);
    EXPECT_TRUE(wheel.modifiers);
    EXPECT_FALSE(wheel.key);
    EXPECT_FALSE(wheel.keyHold);
    EXPECT_TRUE(MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::MouseInput,
                                        CChangeTableItem::LeftButton)
                    .keyHold);
    EXPECT_FALSE(MapEditControlStatesFor(CChangeTableItem::ControlChangeUp,
                                         CChangeTableItem::MouseInput, CChangeTableItem::LeftButton)
                     .keyHold)
        << "a turn has no release";
}

TEST(MapEditControlStates, OnlyNotesAndControllersCanBeLitAndTheValuesFollowTheBox) {
    for (int input : {CChangeTableItem::Note, CChangeTableItem::ControlChange,
                      CChangeTableItem::ControlChangeUp, CChangeTableItem::ControlChangeDown}) {
        const auto unlit = MapEditControlStatesFor(input, CChangeTableItem::KeyInput);
        EXPECT_TRUE(unlit.light) << input;
        EXPECT_FALSE(unlit.lightValues) << input;
        EXPECT_TRUE(MapEditControlStatesFor(input, CChangeTableItem::ToggleEnabled, -1, 0, true)
                        .lightValues)
            << input;
    }
    for (int input : {int{CChangeTableItem::PitchBendMinus}, int{CChangeTableItem::PitchBendPlus},
                      int{CChangeTableItem::ProgramChange}, -1, 7}) {
        const auto states = MapEditControlStatesFor(input, CChangeTableItem::KeyInput, -1, 0, true);
        EXPECT_FALSE(states.light) << input;
        EXPECT_FALSE(states.lightValues) << input << ": checked, but nothing to light";
    }
}
