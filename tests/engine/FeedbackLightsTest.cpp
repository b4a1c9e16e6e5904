#include "ChangeTable.h"
#include "CurrentLayers.h"
#include "FeedbackLights.h"
#include "MidiMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// The engine's answer: one current layer, and 0 for the rules of every layer.
class OneCurrentLayer : public ICurrentLayers {
public:
    bool IsLayerCurrent(int layer) const override { return layer == 0 || layer == current; }
    int current = 1;
};

class FeedbackLightsTest : public ::testing::Test {
protected:
    CChangeTableItem& AddLit(std::uint8_t inputKind, std::uint8_t outputKind, std::uint8_t number) {
        auto* rule = new CChangeTableItem;
        rule->InputKind = inputKind;
        rule->OutputKind = outputKind;
        rule->NoteNumber = rule->NoteNumberEnd = number;
        rule->CCNumber = number;
        rule->KeyCode = 0x41;
        rule->Feedback = 1;
        table.InsertAt(table.GetSize(), rule);
        return *rule;
    }
    std::vector<std::string> Texts(const CFeedbackLights::Messages& messages) {
        std::vector<std::string> texts;
        for (const auto& m : messages) {
            char text[32];
            std::snprintf(text, sizeof text, "%d:%02X %02X %02X", m.slot, m.message & 0xFF,
                          (m.message >> 8) & 0xFF, (m.message >> 16) & 0xFF);
            texts.push_back(text);
        }
        return texts;
    }
    std::vector<std::string> Open(int slot) {
        CFeedbackLights::Messages out;
        lights.OutputOpened(slot, State(), out);
        return Texts(out);
    }
    std::vector<std::string> Update() {
        CFeedbackLights::Messages out;
        lights.Update(State(), out);
        return Texts(out);
    }
    CFeedbackLights::SState State() {
        CFeedbackLights::SState state;
        state.enabled = enabled;
        state.frontExePath = front;
        state.holds = [this](CChangeTableItem::Id id) { return held.count(id) != 0; };
        return state;
    }

    CChangeTable table;
    OneCurrentLayer layers;
    CFeedbackLights lights{layers};
    bool enabled = true;
    std::string front;
    std::set<CChangeTableItem::Id> held;
};

} // namespace

TEST_F(FeedbackLightsTest, EachKindOfRuleIsLitByTheProgramsStateNotByThePad) {
    AddLit(CChangeTableItem::Note, CChangeTableItem::ToggleEnabled, 36);
    CChangeTableItem& hold = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 37);
    hold.KeyHold = 1;
    CChangeTableItem& knob =
        AddLit(CChangeTableItem::ControlChange, CChangeTableItem::KeyInput, 20);
    knob.InputCh = 3;
    knob.FeedbackOn = 100;
    knob.FeedbackOff = 5;
    CChangeTableItem& app = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 38);
    app.SetForeExePath("notepad.exe");
    CChangeTableItem& bright = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 39);
    bright.FeedbackCh = 7;
    AddLit(CChangeTableItem::PitchBendPlus, CChangeTableItem::KeyInput, 0); // no light
    lights.TableChanged(table);

    EXPECT_EQ(Open(1), (std::vector<std::string>{"1:90 24 7F", "1:90 25 00", "1:90 26 00",
                                                 "1:96 27 7F", "1:B2 14 64"}))
        << "toggle on, hold not held, knob on its channel, app not in front, light channel";

    held.insert(hold.GetId());
    front = "C:\\Windows\\notepad.exe";
    EXPECT_EQ(Update(), (std::vector<std::string>{"1:90 25 7F", "1:90 26 7F"}));
    EXPECT_EQ(Update(), std::vector<std::string>()) << "only changes";

    enabled = false;
    EXPECT_EQ(Update(), (std::vector<std::string>{"1:90 24 00", "1:90 25 00", "1:90 26 00",
                                                  "1:96 27 00", "1:B2 14 05"}))
        << "off, the converter can do nothing";
}

TEST_F(FeedbackLightsTest, OffsGoOutBeforeOnsWhenTheProgramInFrontChanges) {
    CChangeTableItem& editor = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 40);
    editor.SetForeExePath("editor.exe");
    CChangeTableItem& paint = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 36);
    paint.SetForeExePath("paint.exe");
    // One pad in both programs: lit in each, never dark in between.
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 50).SetForeExePath("editor.exe");
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 50).SetForeExePath("paint.exe");
    lights.TableChanged(table);
    front = "C:\\Apps\\editor.exe";
    EXPECT_EQ(Open(2), (std::vector<std::string>{"2:90 24 00", "2:90 28 7F", "2:90 32 7F"}));

    front = "C:\\Apps\\paint.exe";
    EXPECT_EQ(Update(), (std::vector<std::string>{"2:90 28 00", "2:90 24 7F"}));
    front = "";
    EXPECT_EQ(Update(), (std::vector<std::string>{"2:90 24 00", "2:90 32 00"}));
}

TEST_F(FeedbackLightsTest, APressAndAReleaseRepaintTheLightAndClosingDarkensIt) {
    AddLit(CChangeTableItem::Note, CChangeTableItem::ToggleEnabled, 36);
    CChangeTableItem& device2 = AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 38);
    device2.InputDevice = 2;
    lights.TableChanged(table);
    Open(1);
    Open(2);
    CFeedbackLights::Messages out;
    lights.Repaint(1, NoteOn(0, 36, 100), out);
    lights.Repaint(1, NoteOff(0, 36), out);
    lights.Repaint(1, NoteOn(0, 36, 0), out);
    lights.Repaint(1, NoteOn(0, 38, 100), out); // device 2's rule
    lights.Repaint(1, ControlChange(0, 36, 127), out);
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"1:90 24 7F", "1:90 24 7F", "1:90 24 7F"}));

    out.clear();
    lights.OutputClosing(2, out);
    EXPECT_EQ(Texts(out), (std::vector<std::string>{"2:90 24 00", "2:90 26 00"}));
    out.clear();
    lights.Repaint(2, NoteOn(0, 36, 100), out);
    EXPECT_TRUE(out.empty()) << "a closed output is sent nothing";
}

TEST_F(FeedbackLightsTest, ALightWhoseRuleWentIsSwitchedOff) {
    AddLit(CChangeTableItem::Note, CChangeTableItem::ToggleEnabled, 36);
    AddLit(CChangeTableItem::Note, CChangeTableItem::ToggleEnabled, 37);
    lights.TableChanged(table);
    Open(1);
    table.GetAt(1)->Feedback = 0;
    lights.TableChanged(table);
    EXPECT_EQ(Update(), (std::vector<std::string>{"1:90 25 00"}));
}

TEST_F(FeedbackLightsTest, AThousandLitRulesAreFoundWithoutTheRestOfTheTable) {
    for (int i = 0; i < 9000; ++i) {
        AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, i % 128).Feedback = 0;
    }
    for (int i = 0; i < 1000; ++i) {
        AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, i % 128)
            .SetForeExePath((i / 128) % 2 ? "a.exe" : "b.exe");
    }
    lights.TableChanged(table);
    front = "a.exe";
    EXPECT_EQ(Open(1).size(), 128u) << "one message per light, not per rule";
    front = "b.exe";
    EXPECT_EQ(Update(), std::vector<std::string>()) << "each pad is lit in both programs";
    front = "c.exe";
    EXPECT_EQ(Update().size(), 128u);
}

TEST_F(FeedbackLightsTest, ALayerChangeMovesTheLightsOfItsRulesAndItsSwitches) {
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 36).Layer = 1;
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 37).Layer = 2;
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 38); // every layer
    CChangeTableItem& toTwo = AddLit(CChangeTableItem::Note, CChangeTableItem::SwitchLayer, 40);
    toTwo.LayerAction = CChangeTableItem::GoToLayer;
    toTwo.LayerTarget = 2;
    CChangeTableItem& whileOne = AddLit(CChangeTableItem::Note, CChangeTableItem::SwitchLayer, 41);
    whileOne.LayerAction = CChangeTableItem::HoldLayer;
    whileOne.LayerTarget = 1;
    CChangeTableItem& next = AddLit(CChangeTableItem::Note, CChangeTableItem::SwitchLayer, 42);
    next.LayerAction = CChangeTableItem::NextLayer;
    next.Layer = 1;
    AddLit(CChangeTableItem::Note, CChangeTableItem::KeyInput, 43).Layer =
        CChangeTableItem::kNoLayer; // a hand-edited layer that never acts
    lights.TableChanged(table);
    EXPECT_EQ(Open(1),
              (std::vector<std::string>{"1:90 24 7F", "1:90 25 00", "1:90 26 7F", "1:90 28 00",
                                        "1:90 29 7F", "1:90 2A 7F", "1:90 2B 00"}));

    layers.current = 2;
    EXPECT_EQ(Update(), (std::vector<std::string>{"1:90 24 00", "1:90 29 00", "1:90 2A 00",
                                                  "1:90 25 7F", "1:90 28 7F"}))
        << "only what changed, the offs first";
    EXPECT_EQ(Update(), std::vector<std::string>());

    enabled = false;
    EXPECT_EQ(Update(), (std::vector<std::string>{"1:90 25 00", "1:90 26 00"}))
        << "the layer stays current while the converter is off, and so does its switch's light";
    CFeedbackLights::Messages out;
    lights.OutputClosing(1, out);
    EXPECT_EQ(Texts(out),
              (std::vector<std::string>{"1:90 24 00", "1:90 25 00", "1:90 26 00", "1:90 28 00",
                                        "1:90 29 00", "1:90 2A 00", "1:90 2B 00"}))
        << "every light off at the close, the current layer's switch too";
}

// The editor offers a light for exactly the inputs lit here.
TEST_F(FeedbackLightsTest, TheInputsThatCanBeLitAreTheOnesLit) {
    for (int kind = 0; kind <= 7; ++kind) {
        while (table.GetSize() > 0) {
            table.RemoveAndDelete(0);
        }
        AddLit(static_cast<std::uint8_t>(kind), CChangeTableItem::ToggleEnabled, 36);
        lights.TableChanged(table);
        EXPECT_EQ(lights.HasLitRules(), CChangeTableItem::CanBeLit(kind)) << kind;
    }
}
