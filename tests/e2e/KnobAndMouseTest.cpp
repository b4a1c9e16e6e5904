// Knobs and encoders as the focused window sees them: one message of an
// encoder becomes as many strokes as it counts steps, and a wheel rule turns
// the wheel with Ctrl held when asked.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

namespace {

ConfigRule Knob(std::uint8_t inputKind, std::uint8_t controller, std::uint8_t ccMode) {
    ConfigRule rule;
    rule.inputKind = inputKind;
    rule.ccNumber = controller;
    rule.ccMode = ccMode;
    return rule;
}

constexpr std::uint8_t kTwosComplement = 1;
constexpr std::uint8_t kWheelUp = 0;
constexpr std::uint8_t kWheelDown = 1;

} // namespace

class KnobAndMouseTest : public E2eProgramTest {};

TEST_F(KnobAndMouseTest, AnEncoderMessageStrikesOnceForEveryStep) {
    ConfigRule up = Knob(ConfigRule::ControlChangeUp, 20, kTwosComplement);
    up.keyCode = 'U';
    ConfigRule down = Knob(ConfigRule::ControlChangeDown, 20, kTwosComplement);
    down.keyCode = 'D';
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({up, down}));
    PostToOpenedPort(ControlChange(0, 20, 3));   // three steps up
    PostToOpenedPort(ControlChange(0, 20, 126)); // two steps down
    PostToOpenedPort(ControlChange(0, 20, 64));  // no move
    ExpectKeys(ExpectedStroke('U') + ExpectedStroke('U') + ExpectedStroke('U') +
               ExpectedStroke('D') + ExpectedStroke('D'));
}

TEST_F(KnobAndMouseTest, AWheelRuleTurnsTheWheelWithCtrlWhenAsked) {
    ConfigRule zoom = Knob(ConfigRule::ControlChangeUp, 21, kTwosComplement);
    zoom.outputKind = ConfigRule::MouseInput;
    zoom.mouseAction = kWheelUp;
    zoom.keyFlag = 1; // Ctrl
    ConfigRule scroll = ConfigRule::KeyOnNotes(60, 60, 0);
    scroll.outputKind = ConfigRule::MouseInput;
    scroll.mouseAction = kWheelDown;
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith({zoom, scroll}));
    ASSERT_TRUE(recorder->PointAtWindow());
    PumpMessagesFor(kSettleMs);
    recorder->Clear();

    PostToOpenedPort(ControlChange(0, 21, 2));
    PostToOpenedPort(NoteOn(0, 60));
    WaitUntil([&] { return recorder->Wheels().size() >= 3; }, kActionTimeoutMs);
    PumpMessagesFor(kQuietMs);
    const std::vector<WheelEvent>& wheels = recorder->Wheels();
    ASSERT_EQ(wheels.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(wheels[i].horizontal);
        EXPECT_EQ(wheels[i].delta, WHEEL_DELTA);
        EXPECT_TRUE(wheels[i].ctrl);
    }
    EXPECT_EQ(wheels[2].delta, -WHEEL_DELTA);
    EXPECT_FALSE(wheels[2].ctrl);
    const std::vector<KeyEvent> ctrlAroundANotch{{true, VK_CONTROL}, {false, VK_CONTROL}};
    EXPECT_EQ(Describe(recorder->Events()), Describe(ctrlAroundANotch + ctrlAroundANotch));
}
