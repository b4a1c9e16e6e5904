// The configured MIDI-IN device, found by name among the devices the
// multimedia library lists (here the fake one, which logs every call).
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

namespace {

std::string FailureText(const std::string& name) {
    return "MIDI-INデバイス[" + name + "]のオープンに失敗しました。";
}

} // namespace

class MidiDeviceTest : public E2eProgramTest {
protected:
    void Configure(const std::string& device, const std::vector<FakeMidiDevice>& devices) {
        ASSERT_TRUE(sandbox->SetMidiDevices(devices));
        Config config;
        config.midiInDevice = device;
        config.rules = {ConfigRule::KeyOnNotes(60, 60, 'K')};
        ASSERT_TRUE(sandbox->WriteConfig(config));
    }
    std::vector<FakeWinmmCall> Calls(const char* function) const {
        return sandbox->Midi().Calls(function);
    }
    // The failure message is shown, named and captioned as the program's,
    // and goes away with its OK button.
    void ExpectFailureMessageFor(const std::string& name) {
        const MessageBoxInfo box = WaitForMessageBox(kStartTimeoutMs);
        ASSERT_TRUE(box.IsFound()) << "no message about the device";
        EXPECT_EQ(box.text, FailureText(name));
        EXPECT_EQ(box.caption, "Sorbelquintaro");
        EXPECT_EQ(box.buttons, (std::vector<std::string>{"OK"}));
        EXPECT_TRUE(box.hasIcon);
        EXPECT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
    }
    void EndAndExpectSavedDevice(const std::string& name) {
        ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
        ExpectExit();
        EXPECT_EQ(sandbox->ReadConfig().midiInDevice, name);
    }
};

TEST_F(MidiDeviceTest, TheConfiguredDeviceIsOpenedForTheWindowStartedAndClosedAtTheEnd) {
    ASSERT_NO_FATAL_FAILURE(Configure("Pads", {{"Keys"}, {"Pads"}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();

    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("device"), 1u);
    EXPECT_EQ(opens[0].Number("callback"), reinterpret_cast<std::uintptr_t>(window.Handle()));
    EXPECT_EQ(opens[0].Number("instance"), 0u);
    EXPECT_EQ(opens[0].Number("flags"), 0x10000u); // delivery to a window
    EXPECT_EQ(opens[0].Number("result"), 0u);
    const std::uintptr_t port = static_cast<std::uintptr_t>(opens[0].Number("handle"));
    const auto starts = Calls("midiInStart");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].Number("handle"), port);
    for (const FakeWinmmCall& caps : Calls("midiInGetDevCapsA")) {
        EXPECT_EQ(caps.Number("size"), 44u);
    }

    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_TRUE(window.PostMidi(port, NoteOn(0, 60)));
    ExpectKeys(ExpectedStroke('K'));

    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice("Pads"));
    const auto closes = Calls("midiInClose");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].Number("handle"), port);
    EXPECT_EQ(closes[0].Number("result"), 0u);
    EXPECT_TRUE(Calls("midiInStop").empty());
    // The reset only hands the system-exclusive buffers back, so that they
    // can be unprepared and the port closes.
    const auto resets = Calls("midiInReset");
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(resets[0].Number("handle"), port);
    EXPECT_LE(resets[0].Milliseconds("t"), closes[0].Milliseconds("t"));
}

TEST_F(MidiDeviceTest, AnAbsentDeviceIsReportedAndItsNameKept) {
    ASSERT_NO_FATAL_FAILURE(Configure("Gone", {{"Keys"}}));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectFailureMessageFor("Gone"));
    EXPECT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    EXPECT_TRUE(Calls("midiInOpen").empty());
    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice("Gone"));
}

TEST_F(MidiDeviceTest, NamesAreComparedWithLetterCase) {
    ASSERT_NO_FATAL_FAILURE(Configure("keys", {{"Keys"}}));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectFailureMessageFor("keys"));
    EXPECT_TRUE(Calls("midiInOpen").empty());
}

TEST_F(MidiDeviceTest, RulesStillWorkWithoutADevice) {
    ASSERT_NO_FATAL_FAILURE(Configure("Gone", {}));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectFailureMessageFor("Gone"));
    ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    ASSERT_TRUE(window.PostMidi(0x1234, NoteOn(0, 60)));
    ExpectKeys(ExpectedStroke('K'));
}

TEST_F(MidiDeviceTest, ADeviceThatFailsToOpenIsReported) {
    FakeMidiDevice busy{"Keys"};
    busy.openResult = 4; // taken by another program
    ASSERT_NO_FATAL_FAILURE(Configure("Keys", {busy}));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectFailureMessageFor("Keys"));
    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("result"), 4u);
    EXPECT_TRUE(Calls("midiInStart").empty());
    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice("Keys"));
}

TEST_F(MidiDeviceTest, ADeviceThatFailsToStartIsReportedAndClosedAtTheEnd) {
    FakeMidiDevice dead{"Keys"};
    dead.startResult = 1;
    ASSERT_NO_FATAL_FAILURE(Configure("Keys", {dead}));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(ExpectFailureMessageFor("Keys"));
    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice("Keys"));
    const auto closes = Calls("midiInClose");
    ASSERT_EQ(closes.size(), 1u);
    EXPECT_EQ(closes[0].Number("handle"), opens[0].Number("handle"));
}

TEST_F(MidiDeviceTest, AnEmptyNameOpensNothingAndShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(Configure("", {{"Keys"}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    EXPECT_TRUE(Calls("midiInOpen").empty());
    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice(""));
}

TEST_F(MidiDeviceTest, OfTwoDevicesWithOneNameTheLowerIndexIsOpened) {
    ASSERT_NO_FATAL_FAILURE(Configure("Twin", {{"Other"}, {"Twin"}, {"Twin"}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("device"), 1u);
}

TEST_F(MidiDeviceTest, ADeviceWhoseNameCannotBeReadIsPassedOver) {
    FakeMidiDevice unreadable{"Twin"};
    unreadable.capsResult = 6;
    ASSERT_NO_FATAL_FAILURE(Configure("Twin", {unreadable, {"Twin"}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("device"), 1u);
}

TEST_F(MidiDeviceTest, AJapaneseDeviceNameIsFoundAndSavedByteForByte) {
    const std::string name = "ＭＩＤＩ鍵盤～ポート";
    ASSERT_NO_FATAL_FAILURE(Configure(name, {{"Keys"}, {name}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ExpectNoMessageBox();
    const auto opens = Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("device"), 1u);
    ASSERT_NO_FATAL_FAILURE(EndAndExpectSavedDevice(name));
}
