// Two devices at once: rules for each and one for both, the second device
// unplugged and plugged in again while the first keeps converting. The fake
// multimedia library lists what the test scripts; a port's input is posted
// with that port's handle, as its driver delivers it.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

namespace {

// How far the device list lags behind the notice.
constexpr unsigned kListLagMs = 300;

} // namespace

class MultipleDevicesTest : public E2eProgramTest {
protected:
    // The handle of the last port opened for the device at `index`, or 0.
    std::uintptr_t PortOf(unsigned index) const {
        std::uintptr_t handle = 0;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("midiInOpen")) {
            if (call.Has("handle") && call.Number("device") == index) {
                handle = static_cast<std::uintptr_t>(call.Number("handle"));
            }
        }
        return handle;
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
    void NoticeThenDevices(const std::vector<FakeMidiDevice>& devices) {
        ASSERT_TRUE(window.PostDeviceChange());
        PumpMessagesFor(kListLagMs);
        ASSERT_TRUE(sandbox->SetMidiDevices(devices));
    }
    void NoteFrom(std::uintptr_t port, const std::vector<KeyEvent>& expected) {
        ASSERT_NE(port, 0u);
        ASSERT_TRUE(window.PostMidi(port, NoteOn(0, 60)));
        ExpectKeys(expected);
    }
};

TEST_F(MultipleDevicesTest, EachDeviceStrikesItsRulesAndTheRuleForAllAndSurvivesTheOthersUnplug) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"Pads"}, {"Spare"}}));
    Config config;
    config.midiInDevice = "Keys";
    config.otherDevices = {"Pads"};
    ConfigRule forKeys = ConfigRule::KeyOnNotes(60, 60, 'A');
    forKeys.inputDevice = 1;
    ConfigRule forPads = ConfigRule::KeyOnNotes(60, 60, 'B');
    forPads.inputDevice = 2;
    config.rules = {forKeys, forPads, ConfigRule::KeyOnNotes(60, 60, 'C')};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    EXPECT_TRUE(WaitForTip("Sorbelquintaro: 2 台接続")) << LastTip();
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_NO_FATAL_FAILURE(NoteFrom(PortOf(0), ExpectedStroke('A') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(PortOf(1), ExpectedStroke('B') + ExpectedStroke('C')));

    // Pads pulled: the port after it moves up to its index.
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    ASSERT_NO_FATAL_FAILURE(NoticeThenDevices({{"Keys"}, {"Spare"}}));
    EXPECT_TRUE(WaitForTip("Sorbelquintaro: 1 台接続, 1 台見つかりません")) << LastTip();
    ExpectNoMessageBox();
    ASSERT_TRUE(WaitUntil([&] { return PortOf(0) != 0; }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(PortOf(0), ExpectedStroke('A') + ExpectedStroke('C')));

    // Plugged in again, now behind the spare one.
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    ASSERT_NO_FATAL_FAILURE(NoticeThenDevices({{"Keys"}, {"Spare"}, {"Pads"}}));
    EXPECT_TRUE(WaitForTip("Sorbelquintaro: 2 台接続")) << LastTip();
    ASSERT_TRUE(WaitUntil([&] { return PortOf(2) != 0 && PortOf(0) != 0; }, kActionTimeoutMs));
    EXPECT_EQ(PortOf(1), 0u) << "the spare device is no slot's";
    ASSERT_NO_FATAL_FAILURE(NoteFrom(PortOf(2), ExpectedStroke('B') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(PortOf(0), ExpectedStroke('A') + ExpectedStroke('C')));
}
