// The configured MIDI-IN device found again by itself: unplugged and plugged
// in again (at the same index or another), plugged in after the start, and
// after the system woke from sleep. The fake multimedia library plays the
// driver as Windows mostly does: it lists what the test scripts, and an open
// port whose device left the script just goes dead, without a close notice.
#include "DeviceLog.h"
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

namespace {

constexpr int kDeviceCombo = 1000;
// More than the program's one retry delay, to see what it does afterwards.
constexpr unsigned kAfterRetryMs = 2500;

const char kMissingTip[] = "Sorbelquintaro (MIDI-INデバイス[Pads]が見つかりません)";

} // namespace

class MidiReconnectTest : public E2eProgramTest {
protected:
    void StartWith(const std::vector<FakeMidiDevice>& devices, bool expectBox = false,
                   bool closeNoticeOnRemoval = false) {
        ASSERT_TRUE(sandbox->SetMidiDevices(devices, closeNoticeOnRemoval));
        Config config;
        config.midiInDevice = "Pads";
        config.rules = {ConfigRule::KeyOnNotes(60, 60, 'K'),
                        ConfigRule::KeyOnController(64, 'S', true)};
        ASSERT_TRUE(sandbox->WriteConfig(config));
        ASSERT_NO_FATAL_FAILURE(Start());
        if (expectBox) {
            const MessageBoxInfo box = WaitForMessageBox(kStartTimeoutMs);
            ASSERT_TRUE(box.IsFound()) << "no message about the missing device";
            EXPECT_EQ(box.text, "MIDI-INデバイス[Pads]のオープンに失敗しました。");
            ASSERT_TRUE(DismissMessageBox(box, kActionTimeoutMs));
        }
        ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    }
    void NoticeThenDevices(const std::vector<FakeMidiDevice>& devices) {
        ASSERT_TRUE(::NoticeThenDevices(window, *sandbox, devices));
    }
    std::size_t Count(const char* function) const { return sandbox->Midi().Calls(function).size(); }
    bool WaitForCount(const char* function, std::size_t count) const {
        return WaitUntil([&] { return Count(function) >= count; }, kActionTimeoutMs);
    }
    // The program's calls into the multimedia library (not its tray icon).
    std::vector<std::string> MidiCalls() const {
        std::vector<std::string> names;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls()) {
            if (call.function.compare(0, 6, "midiIn") == 0) {
                names.push_back(call.function);
            }
        }
        return names;
    }
    // Every logged call of the program, a taken message with its number.
    std::vector<std::string> AllCalls() const {
        std::vector<std::string> names;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls()) {
            names.push_back(call.function + (call.Has("message") ? ":" + call.Get("message") : ""));
        }
        return names;
    }
    static std::string Listed(const std::vector<std::string>& names) {
        std::string text;
        for (const std::string& name : names) {
            text += name + " ";
        }
        return text;
    }
    std::string LastTip() const { return DeviceLog(sandbox->Midi()).LastTip(); }
    bool WaitForTip(const std::string& tip) const {
        return DeviceLog(sandbox->Midi()).WaitForTip(tip, kActionTimeoutMs);
    }
    std::vector<std::pair<std::string, bool>> Balloons() const {
        return DeviceLog(sandbox->Midi()).Balloons();
    }
    // A note and a controller leaving 0 both fire through `port`.
    void ExpectRulesFireThrough(std::uintptr_t port) {
        ASSERT_NO_FATAL_FAILURE(FocusRecorder());
        ASSERT_TRUE(window.PostMidi(port, NoteOn(0, 60)));
        ExpectKeys(ExpectedStroke('K'));
        ASSERT_TRUE(window.PostMidi(port, ControlChange(0, 64, 127)));
        ExpectKeys(ExpectedStroke('S'));
    }
    std::vector<std::string> DeviceListItems() const {
        const HWND combo = GetDlgItem(window.Handle(), kDeviceCombo);
        std::vector<std::string> items;
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kActionTimeoutMs, &count)) {
            return items;
        }
        // Asked in UTF-16: Wine hands another process's list texts over as
        // the control holds them.
        for (WPARAM i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            DWORD_PTR length = 0;
            SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                kActionTimeoutMs, &length);
            char narrow[512] = {};
            WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
            items.push_back(narrow);
        }
        return items;
    }
    int DeviceListSelection() const {
        DWORD_PTR selected = 0;
        SendMessageTimeoutA(GetDlgItem(window.Handle(), kDeviceCombo), CB_GETCURSEL, 0, 0,
                            SMTO_NORMAL, kActionTimeoutMs, &selected);
        return static_cast<int>(selected);
    }
};

TEST_F(MidiReconnectTest, AnUnpluggedDeviceIsClosedAndReopenedWhereverItComesBack) {
    // A kind driver that does tell the port's window of the unplugging.
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}, {"Pads"}}, false, true));
    const std::uintptr_t oldPort = OpenedPortHandle();
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(oldPort)); // the controller now stands at 127
    ASSERT_TRUE(sandbox->Midi().ClearLog());

    // Unplugged.
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}}, true));
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitForCount("midiInClose", 1)) << "the dead port was not closed";
    EXPECT_EQ(sandbox->Midi().Calls("midiInClose")[0].Number("handle"), oldPort);
    EXPECT_TRUE(WaitForTip(kMissingTip)) << LastTip();
    ExpectNoMessageBox();
    ASSERT_TRUE(WaitUntil([&] { return !Balloons().empty(); }, kActionTimeoutMs));
    EXPECT_EQ(Balloons().front(),
              std::make_pair(std::string("MIDI-INデバイス[Pads]が見つからなくなりました。"
                                         "接続し直すと自動的にオープンします。"),
                             true));

    // Plugged in again, now first in the list.
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Pads"}, {"Keys"}}, true));
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitForCount("midiInStart", 1)) << "not opened again";
    const auto opens = sandbox->Midi().Calls("midiInOpen");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].Number("device"), 0u);
    EXPECT_EQ(opens[0].Number("callback"), reinterpret_cast<std::uintptr_t>(window.Handle()));
    EXPECT_EQ(opens[0].Number("flags"), 0x10000u);
    EXPECT_TRUE(WaitForTip("Sorbelquintaro")) << LastTip();
    ASSERT_TRUE(WaitUntil([&] { return Balloons().size() >= 2; }, kActionTimeoutMs));
    EXPECT_EQ(Balloons().back(),
              std::make_pair(
                  std::string("MIDI-INデバイス[Pads]が接続されたので、オープンしました。"), false));
    ExpectNoMessageBox();

    // The controller's first value on the new port counts as a move from 0.
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(OpenedPortHandle()));
    EXPECT_EQ(Count("midiInClose"), 1u) << "closed twice";
}

TEST_F(MidiReconnectTest, ASilentlyDeadPortIsReplacedWhenTheDeviceIsBackAtItsIndex) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}, {"Pads"}}));
    const std::uintptr_t oldPort = OpenedPortHandle();
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(oldPort));
    ASSERT_TRUE(sandbox->Midi().ClearLog());

    // Unplugged: no close notice, and the list catches up only later.
    ASSERT_NO_FATAL_FAILURE(NoticeThenDevices({{"Keys"}}));
    ASSERT_TRUE(WaitForCount("midiInClose", 1)) << "the dead port was kept";
    EXPECT_EQ(sandbox->Midi().Calls("midiInClose")[0].Number("handle"), oldPort);
    EXPECT_TRUE(WaitForTip(kMissingTip)) << LastTip();

    // Back at the same index with the same name.
    ASSERT_NO_FATAL_FAILURE(NoticeThenDevices({{"Keys"}, {"Pads"}}));
    ASSERT_TRUE(WaitForCount("midiInStart", 1)) << "not opened again";
    const std::uintptr_t newPort = OpenedPortHandle();
    EXPECT_NE(newPort, oldPort);
    EXPECT_EQ(sandbox->Midi().Calls("midiInStart").back().Number("result"), 0u);
    EXPECT_TRUE(WaitForTip("Sorbelquintaro")) << LastTip();
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(newPort));

    // A message the old port had queued before its close is not converted.
    ASSERT_TRUE(window.PostMidi(oldPort, NoteOn(0, 60)));
    ExpectKeys({});
    ExpectNoMessageBox();
}

TEST_F(MidiReconnectTest, ADeviceMissingAtStartIsOpenedWhenPluggedIn) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}}, true));
    EXPECT_TRUE(WaitForTip(kMissingTip)) << LastTip();
    EXPECT_EQ(Count("midiInOpen"), 0u);

    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"Pads"}}));
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitForCount("midiInStart", 1)) << "not opened when it appeared";
    EXPECT_EQ(sandbox->Midi().Calls("midiInOpen")[0].Number("device"), 1u);
    ExpectNoMessageBox();
    EXPECT_TRUE(WaitForTip("Sorbelquintaro")) << LastTip();
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(OpenedPortHandle()));
}

TEST_F(MidiReconnectTest, AfterSleepThePortIsClosedAndOpenedAgainOnce) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Pads"}}));
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    // One wake-up brings both resume notices.
    ASSERT_TRUE(window.PostPowerBroadcast(PBT_APMRESUMEAUTOMATIC));
    ASSERT_TRUE(window.PostPowerBroadcast(PBT_APMRESUMESUSPEND));
    ASSERT_TRUE(WaitForCount("midiInStart", 1)) << "not reopened after the resume";
    PumpMessagesFor(kAfterRetryMs);
    // The buffers are taken back before the close and queued again before
    // the start.
    EXPECT_EQ(MidiCalls(),
              (std::vector<std::string>{
                  "midiInGetNumDevs", "midiInGetDevCapsA", "midiInReset", "midiInUnprepareHeader",
                  "midiInUnprepareHeader", "midiInClose", "midiInOpen", "midiInPrepareHeader",
                  "midiInAddBuffer", "midiInPrepareHeader", "midiInAddBuffer", "midiInStart"}));
    EXPECT_TRUE(Balloons().empty()) << "nothing to tell: the device stayed";
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(OpenedPortHandle()));
}

TEST_F(MidiReconnectTest, TwentyNoticesInARowCheckOnceAndKeepAPortThatStillAnswers) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}, {"Pads"}}));
    const std::uintptr_t port = OpenedPortHandle();
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    for (int notice = 0; notice < 20; ++notice) {
        ASSERT_TRUE(window.PostDeviceChange());
    }
    // Another device's notices: the port says where it is listed, and stays.
    ASSERT_TRUE(WaitForCount("midiInGetID", 1));
    PumpMessagesFor(kAfterRetryMs);
    EXPECT_EQ(MidiCalls(), (std::vector<std::string>{"midiInGetNumDevs", "midiInGetDevCapsA",
                                                     "midiInGetDevCapsA", "midiInGetID"}));
    EXPECT_TRUE(Balloons().empty()) << "nothing to tell: the device stayed";
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(port));
    ExpectNoMessageBox();
}

TEST_F(MidiReconnectTest, ADeviceRepluggedAtItsIndexAnswersNoDriverAndIsOpenedAfresh) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}, {"Pads"}}));
    const std::uintptr_t oldPort = OpenedPortHandle();
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    // Out and in again before the list was read: the same name at the same
    // index, but the old port is dead.
    FakeMidiDevice replugged{"Pads"};
    replugged.plug = 1;
    ASSERT_NO_FATAL_FAILURE(NoticeThenDevices({{"Keys"}, replugged}));
    ASSERT_TRUE(WaitForCount("midiInStart", 1)) << "not opened afresh";
    EXPECT_EQ(sandbox->Midi().Calls("midiInGetID").at(0).Number("result"), 6u);
    EXPECT_EQ(sandbox->Midi().Calls("midiInClose").at(0).Number("handle"), oldPort);
    EXPECT_NE(OpenedPortHandle(), oldPort);
    ASSERT_NO_FATAL_FAILURE(ExpectRulesFireThrough(OpenedPortHandle()));
}

TEST_F(MidiReconnectTest, TheDeviceListFollowsTheDevicesAndKeepsTheChoice) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Keys"}, {"Pads"}}));
    EXPECT_EQ(DeviceListItems(), (std::vector<std::string>{"Keys", "Pads"}));

    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"Pads"}, {"ドラム"}}));
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitUntil([&] { return DeviceListItems().size() == 3; }, kActionTimeoutMs));
    EXPECT_EQ(DeviceListItems(), (std::vector<std::string>{"Keys", "Pads", "ドラム"}));
    EXPECT_EQ(DeviceListSelection(), 1);

    // The chosen device gone: still listed, at the end, and still chosen.
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"ドラム"}}));
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitUntil([&] { return DeviceListItems().back() == "Pads"; }, kActionTimeoutMs));
    EXPECT_EQ(DeviceListItems(), (std::vector<std::string>{"Keys", "ドラム", "Pads"}));
    EXPECT_EQ(DeviceListSelection(), 2);
}

TEST_F(MidiReconnectTest, IdleTheProgramTakesNoMessageAndOnlyTheReconnectRunsATimer) {
    ASSERT_TRUE(sandbox->Midi().WatchMessages());
    ASSERT_NO_FATAL_FAILURE(StartWith({{"Pads"}}));
    PumpMessagesFor(kQuietMs); // the start's own messages (the port's open notice)
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    PumpMessagesFor(3000);
    // Neither a MIDI call nor a timer set nor a message taken from the queue.
    EXPECT_TRUE(sandbox->Midi().Calls().empty()) << Listed(AllCalls());

    // A notice while the device is missing: the quiet time after the notice,
    // then one check and one retry, both timed by the one one-shot timer,
    // which is then gone, and quiet again.
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}}));
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    ASSERT_TRUE(window.PostDeviceChange());
    ASSERT_TRUE(WaitForCount("midiInGetNumDevs", 2)) << "no retry";
    // The retry reads the one device's name after counting: wait for that too.
    ASSERT_TRUE(WaitForCount("midiInGetDevCapsA", 2));
    EXPECT_EQ(Count("SetTimer"), 2u);
    EXPECT_EQ(Count("KillTimer"), 2u);
    ASSERT_TRUE(sandbox->Midi().ClearLog());
    PumpMessagesFor(kAfterRetryMs);
    EXPECT_TRUE(sandbox->Midi().Calls().empty()) << Listed(AllCalls());
}
