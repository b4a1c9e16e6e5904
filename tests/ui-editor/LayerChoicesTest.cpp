#include "ChangeTableItem.h"
#include "LayerChoices.h"
#include "LayerNames.h"
#include "MapEditControlStates.h"
#include "MapEditValues.h"

#include <gtest/gtest.h>

TEST(LayerChoices, TheListsNameTheLayersAndKeepANumberBeyond) {
    CLayerNames names;
    ASSERT_TRUE(names.Set(2, "編集"));
    const LayerChoices ofRule = RuleLayerChoices(names, 0);
    ASSERT_EQ(ofRule.size(), 17u);
    EXPECT_EQ(ofRule[0].text, "すべてのレイヤー");
    EXPECT_EQ(ofRule[0].value, 0);
    EXPECT_EQ(ofRule[1].text, "レイヤー 1");
    EXPECT_EQ(ofRule[2].text, "編集");
    EXPECT_EQ(ofRule[16].value, 16);

    // A hand-edited number is offered too, so that OK keeps it.
    const LayerChoices beyond = RuleLayerChoices(names, 40);
    ASSERT_EQ(beyond.size(), 18u);
    EXPECT_EQ(LayerChoiceIndex(beyond, 40), 17);
    EXPECT_EQ(beyond[17].text, "レイヤー 40");

    const LayerChoices targets = SwitchTargetChoices(names, 1);
    ASSERT_EQ(targets.size(), 16u);
    EXPECT_EQ(LayerChoiceIndex(targets, 2), 1);
    EXPECT_EQ(LayerChoiceIndex(targets, 0), -1);
    EXPECT_EQ(SwitchTargetChoices(names, 0).size(), 17u);
}

TEST(LayerChoices, HoldingALayerIsOfferedOnlyForInputsThatAreLetGo) {
    for (const int kind : {CChangeTableItem::Note, CChangeTableItem::ControlChange,
                           CChangeTableItem::PitchBendMinus}) {
        EXPECT_GE(LayerChoiceIndex(LayerActionChoices(kind), CChangeTableItem::HoldLayer), 0)
            << kind;
    }
    const LayerChoices ofProgram = LayerActionChoices(CChangeTableItem::ProgramChange);
    EXPECT_EQ(LayerChoiceIndex(ofProgram, CChangeTableItem::HoldLayer), -1);
    EXPECT_GE(LayerChoiceIndex(ofProgram, CChangeTableItem::NextLayer), 0);

    // A held switch whose input becomes a program change goes to its layer.
    CChangeTableItem rule;
    rule.OutputKind = CChangeTableItem::SwitchLayer;
    rule.LayerAction = CChangeTableItem::HoldLayer;
    CMapEditValues values(rule);
    values.m_nInputKind = CChangeTableItem::ProgramChange;
    values.KeepLayerActionPossible();
    EXPECT_EQ(values.m_nLayerAction, CChangeTableItem::GoToLayer);
}

TEST(LayerChoices, TheEditorWritesTheLayerAndTheSwitchBackAndShowsItsControls) {
    CChangeTableItem rule;
    rule.Layer = 3;
    CMapEditValues values(rule);
    EXPECT_EQ(values.m_nLayer, 3);
    values.m_nOutputKind = OutputKindOfRadio(6, CChangeTableItem::KeyInput);
    EXPECT_EQ(values.m_nOutputKind, CChangeTableItem::SwitchLayer);
    EXPECT_EQ(OutputRadioOf(CChangeTableItem::SwitchLayer), 6);
    values.m_nLayerAction = CChangeTableItem::HoldLayer;
    values.m_nLayerTarget = 5;
    values.m_nLayer = 0;
    values.WriteTo(rule);
    EXPECT_EQ(rule.OutputKind, CChangeTableItem::SwitchLayer);
    EXPECT_EQ(rule.LayerAction, CChangeTableItem::HoldLayer);
    EXPECT_EQ(rule.LayerTarget, 5);
    EXPECT_EQ(rule.Layer, 0);

    const MapEditControlStates held = MapEditControlStatesFor(
        CChangeTableItem::Note, CChangeTableItem::SwitchLayer, -1, CChangeTableItem::HoldLayer);
    EXPECT_TRUE(held.layerAction);
    EXPECT_TRUE(held.layerTarget);
    EXPECT_FALSE(held.key);
    EXPECT_FALSE(held.keyHold);
    const MapEditControlStates next = MapEditControlStatesFor(
        CChangeTableItem::Note, CChangeTableItem::SwitchLayer, -1, CChangeTableItem::NextLayer);
    EXPECT_TRUE(next.layerAction);
    EXPECT_FALSE(next.layerTarget) << "next and previous name no layer";
    EXPECT_FALSE(
        MapEditControlStatesFor(CChangeTableItem::Note, CChangeTableItem::KeyInput).layerAction);
}
