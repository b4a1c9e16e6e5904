// Choosing another MIDI-IN device in the settings window's list.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <algorithm>

class DeviceChoiceTest : public EditorProgramTest {};

TEST_F(DeviceChoiceTest, TheOldPortClosesBeforeTheNewOpensAndControllersStartFromZero) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"Pads"}}));
    ASSERT_NO_FATAL_FAILURE(StartWith({ConfigRule::KeyOnController(64, 'S', true)}, "Keys"));
    const DialogDriver settings(window.Handle());
    EXPECT_EQ(settings.ComboSelection(SettingsControl::kDevice), 0);
    const std::uintptr_t oldPort = OpenedPortHandle();

    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostMidi(ControlChange(0, 64, 127));
    ExpectKeys(ExpectedStroke('S'));
    PostMidi(ControlChange(0, 64, 127));
    ExpectKeys({});

    ASSERT_TRUE(sandbox->Midi().ClearLog());
    ASSERT_TRUE(settings.SetComboSelection(SettingsControl::kDevice, 1));
    const HWND combo = settings.Control(SettingsControl::kDevice);
    ASSERT_TRUE(PostMessageA(window.Handle(), WM_COMMAND,
                             MAKEWPARAM(SettingsControl::kDevice, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(combo)));
    ASSERT_TRUE(WaitUntil([&] { return !sandbox->Midi().Calls("midiInStart").empty(); },
                          kActionTimeoutMs))
        << "the new device was not started";
    const std::vector<FakeWinmmCall> calls = sandbox->Midi().Calls();
    const auto close = std::find_if(calls.begin(), calls.end(), [&](const FakeWinmmCall& call) {
        return call.function == "midiInClose" && call.Number("handle") == oldPort;
    });
    const auto open = std::find_if(calls.begin(), calls.end(), [](const FakeWinmmCall& call) {
        return call.function == "midiInOpen";
    });
    ASSERT_NE(close, calls.end()) << "the old port was not closed";
    ASSERT_NE(open, calls.end());
    EXPECT_LT(close - calls.begin(), open - calls.begin()) << "opened before the old one closed";
    EXPECT_EQ(open->Number("device"), 1u);
    EXPECT_EQ(open->Number("result"), 0u);
    ExpectNoMessageBox();

    // The controller was at 127 on the old device; after the change its
    // first value counts as a move up from 0.
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostMidi(ControlChange(0, 64, 127));
    ExpectKeys(ExpectedStroke('S'));

    EXPECT_EQ(EndAndReadConfig().midiInDevice, "Pads");
}
