// Pads that switch layers change what the other pads strike; a key held
// before the switch is let go by its own note-off; the tray tip names the
// layer.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

namespace {

ConfigRule KeyOnLayer(std::uint8_t layer, std::uint8_t note, std::uint8_t keyCode) {
    ConfigRule rule = ConfigRule::KeyOnNotes(note, note, keyCode);
    rule.layer = layer;
    return rule;
}

ConfigRule LayerPad(std::uint8_t note, std::uint8_t action, std::uint8_t target) {
    ConfigRule rule;
    rule.noteNumber = rule.noteNumberEnd = note;
    rule.outputKind = ConfigRule::SwitchLayer;
    rule.layerAction = action;
    rule.layerTarget = target;
    return rule;
}

} // namespace

class LayersTest : public E2eProgramTest {
protected:
    void Strike(std::uint8_t note) {
        PostToOpenedPort(NoteOn(0, note));
        PostToOpenedPort(NoteOff(0, note));
    }
    std::string LastTip() const {
        std::string tip;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
            if (call.Has("tip")) {
                tip = call.Text("tip");
            }
        }
        return tip;
    }
    bool WaitForTip(const std::string& tip) const {
        return WaitUntil([&] { return LastTip() == tip; }, kActionTimeoutMs);
    }
};

TEST_F(LayersTest, APadThatLatchesLayerTwoChangesWhatAnotherPadStrikes) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::KeyOnNotes(60, 60, 'A'), KeyOnLayer(2, 60, 'B'), LayerPad(50, 0, 2)}));
    EXPECT_TRUE(WaitForTip("Sorbelquintaro - レイヤー 1")) << LastTip();
    Strike(60);
    ExpectKeys(ExpectedStroke('A'));
    Strike(50);
    EXPECT_TRUE(WaitForTip("Sorbelquintaro - レイヤー 2")) << LastTip();
    Strike(60);
    Strike(60);
    ExpectKeys(ExpectedStroke('B') + ExpectedStroke('B'));
}

TEST_F(LayersTest, APadHeldForLayerThreeChangesItOnlyWhileHeld) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::KeyOnNotes(60, 60, 'A'), KeyOnLayer(3, 60, 'C'), LayerPad(40, 1, 3)}));
    PostToOpenedPort(NoteOn(0, 40));
    Strike(60);
    ExpectKeys(ExpectedStroke('C'));
    PostToOpenedPort(NoteOff(0, 40));
    Strike(60);
    ExpectKeys(ExpectedStroke('A'));
}

TEST_F(LayersTest, AKeyHeldOnLayerOneIsReleasedByItsNoteOffAfterTheSwitch) {
    ConfigRule held = KeyOnLayer(1, 60, 'A');
    held.keyHold = true;
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({held, KeyOnLayer(2, 60, 'B'), LayerPad(50, 0, 2)}));
    PostToOpenedPort(NoteOn(0, 60));
    ExpectKeys({{true, 'A'}});
    Strike(50);
    EXPECT_TRUE(WaitForTip("Sorbelquintaro - レイヤー 2")) << LastTip();
    PostToOpenedPort(NoteOff(0, 60));
    ExpectKeys({{false, 'A'}});
    EXPECT_EQ(GetAsyncKeyState('A') & 0x8000, 0);
}
