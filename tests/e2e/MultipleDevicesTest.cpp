// Two devices at once: rules for each and one for both, the second device
// unplugged (the ports after it renumbered) and plugged in again while the
// first keeps converting and keeps its held key down. The fake multimedia
// library lists what the test scripts and delivers each device's input to
// that device's port only, as its driver does.
#include "DeviceLog.h"
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

#include <algorithm>

class MultipleDevicesTest : public E2eProgramTest {
protected:
    // Input of the device listed at `index` now.
    void From(unsigned index, std::uint32_t message) {
        ASSERT_TRUE(sandbox->Midi().DeliverShortMessage(window.Handle(), index, message));
    }
    void NoteFrom(unsigned index, const std::vector<KeyEvent>& expected) {
        ASSERT_NO_FATAL_FAILURE(From(index, NoteOn(0, 60)));
        ExpectKeys(expected);
    }
    bool Closed(std::uintptr_t port) const {
        const std::vector<std::uintptr_t> closed = Log().ClosedPorts();
        return std::find(closed.begin(), closed.end(), port) != closed.end();
    }
    DeviceLog Log() const { return DeviceLog(sandbox->Midi()); }
};

TEST_F(MultipleDevicesTest, EachDeviceStrikesItsRulesAndTheRuleForAllAndSurvivesTheOthersUnplug) {
    // Keys is listed after Pads, so that Pads' unplug renumbers Keys' port.
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Pads"}, {"Keys"}, {"Spare"}}));
    Config config;
    config.midiInDevice = "Keys";
    config.otherDevices = {"Pads"};
    ConfigRule forKeys = ConfigRule::KeyOnNotes(60, 60, 'A');
    forKeys.inputDevice = 1;
    ConfigRule forPads = ConfigRule::KeyOnNotes(60, 60, 'B');
    forPads.inputDevice = 2;
    ConfigRule heldByKeys = ConfigRule::KeyOnNotes(64, 64, 'H');
    heldByKeys.keyHold = true;
    heldByKeys.inputDevice = 1;
    config.rules = {forKeys, forPads, ConfigRule::KeyOnNotes(60, 60, 'C'), heldByKeys};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    EXPECT_TRUE(Log().WaitForTip("Sorbelquintaro: 2 台接続", kActionTimeoutMs)) << Log().LastTip();
    const std::uintptr_t keysPort = Log().PortOf(1);
    ASSERT_NE(keysPort, 0u);
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_NO_FATAL_FAILURE(NoteFrom(1, ExpectedStroke('A') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(0, ExpectedStroke('B') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(From(1, NoteOn(0, 64)));
    ExpectKeys({{true, 'H'}});

    // Pads pulled: Keys moves down to its index and goes on, its key held.
    ASSERT_TRUE(NoticeThenDevices(window, *sandbox, {{"Keys"}, {"Spare"}}));
    EXPECT_TRUE(Log().WaitForTip("Sorbelquintaro: 1 台接続, 1 台見つかりません", kActionTimeoutMs))
        << Log().LastTip();
    ExpectNoMessageBox();
    EXPECT_FALSE(Closed(keysPort)) << "the working device was closed";
    ASSERT_NO_FATAL_FAILURE(NoteFrom(0, ExpectedStroke('A') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(From(0, NoteOff(0, 64)));
    ExpectKeys({{false, 'H'}}); // released by its own note, not by the unplug

    // Plugged in again, now behind the spare one.
    ASSERT_TRUE(NoticeThenDevices(window, *sandbox, {{"Keys"}, {"Spare"}, {"Pads"}}));
    EXPECT_TRUE(Log().WaitForTip("Sorbelquintaro: 2 台接続", kActionTimeoutMs)) << Log().LastTip();
    ASSERT_TRUE(WaitUntil([&] { return Log().PortOf(2) != 0; }, kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(2, ExpectedStroke('B') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(0, ExpectedStroke('A') + ExpectedStroke('C')));
    ASSERT_NO_FATAL_FAILURE(NoteFrom(1, {})); // the spare device is no slot's
    EXPECT_FALSE(Closed(keysPort));
}

TEST_F(MultipleDevicesTest, SystemExclusiveInputIsTakenAndTheDeviceGoesOnConverting) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}}));
    Config config;
    config.midiInDevice = "Keys";
    config.rules = {ConfigRule::KeyOnNotes(60, 60, 'A')};
    ASSERT_TRUE(sandbox->WriteConfig(config));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    // More messages than buffers: each comes back and is queued again.
    for (int message = 0; message < 5; ++message) {
        ASSERT_TRUE(sandbox->Midi().DeliverSysEx(window.Handle(), 0));
        PumpMessagesFor(50);
    }
    ASSERT_NO_FATAL_FAILURE(NoteFrom(0, ExpectedStroke('A')));
    EXPECT_TRUE(sandbox->Midi().Calls("sysExWithoutBuffer").empty());
    EXPECT_EQ(sandbox->Midi().Calls("bufferReturned").size(), 5u);
    EXPECT_EQ(sandbox->Midi().Calls("midiInAddBuffer").size(), 2u + 5u);

    // At the end the buffers are handed back and unprepared before the close.
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ASSERT_NO_FATAL_FAILURE(ExpectExit());
    std::vector<std::string> end;
    for (const FakeWinmmCall& call : sandbox->Midi().Calls()) {
        if (call.function == "midiInReset" || call.function == "midiInUnprepareHeader" ||
            call.function == "midiInClose") {
            end.push_back(call.function + " " + call.Get("result"));
        }
    }
    EXPECT_EQ(end, (std::vector<std::string>{"midiInReset 0", "midiInUnprepareHeader 0",
                                             "midiInUnprepareHeader 0", "midiInClose 0"}));
}
