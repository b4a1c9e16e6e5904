// The lights on a controller: the fake multimedia library lists an output
// of the same name beside the input (and the system's synthesizer before
// it), logs every message the program sends there, and for the loop test
// delivers the output's messages back into the input, as a virtual cable
// or an echoing controller does.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

#include <windows.h>

#include <cstdio>

#include <string>
#include <vector>

namespace {

const char kInitBytes[] = "F0 00 20 29 02 0E 10 01 F7";
const char kExitBytes[] = "B0 00 00";

// A rule of the table with its light switched on.
struct LitRule {
    ConfigRule rule;
    std::string lightKeys = "Feedback=1\r\n";
};

} // namespace

class LightsTest : public E2eProgramTest {
protected:
    // Config.ini with the output of slot 1 and each rule's light keys.
    void WriteLitConfig(const std::vector<LitRule>& rules) {
        Config config;
        config.midiInDevice = "Pads";
        config.moreGeneralKeys = std::string("MidiOutDevice=Pads\r\nMidiOutInit=") + kInitBytes +
                                 "\r\nMidiOutExit=" + kExitBytes + "\r\n";
        for (const LitRule& lit : rules) {
            config.rules.push_back(lit.rule);
            config.rules.back().moreKeys = lit.lightKeys;
        }
        ASSERT_TRUE(WriteConfigIni(sandbox->ConfigPath(), config));
    }
    void SetUpDevices(int loopToInput = -1) {
        ASSERT_TRUE(sandbox->SetMidiDevices({{"Pads"}}));
        ASSERT_TRUE(sandbox->Midi().SetOutputs(
            {{"Microsoft GS Wavetable Synth", true}, {"Pads", false, 0, loopToInput}}));
    }
    // What reached the output so far: "F0...F7" for a SysEx, "7F2490" (the
    // packed short message) for the rest; "close" when it closed.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls()) {
            if (call.function == "midiOutLongMsg" && call.Number("result") == 0) {
                sent.push_back(call.Get("bytes"));
            } else if (call.function == "midiOutShortMsg" && call.Number("result") == 0) {
                char text[16];
                std::snprintf(text, sizeof text, "%06llX", call.Number("message"));
                sent.push_back(text);
            } else if (call.function == "midiOutClose") {
                sent.push_back("close");
            }
        }
        return sent;
    }
    bool WaitForSent(std::size_t count) const {
        return WaitUntil([&] { return Sent().size() >= count; }, kActionTimeoutMs);
    }
    // The sent messages from `from` on, once there are `count` of them.
    std::vector<std::string> SentFrom(std::size_t from, std::size_t count) const {
        EXPECT_TRUE(WaitForSent(from + count)) << "waited for " << from + count;
        PumpMessagesFor(kQuietMs / 5);
        const std::vector<std::string> sent = Sent();
        return std::vector<std::string>(sent.begin() + static_cast<std::ptrdiff_t>(from),
                                        sent.end());
    }
    std::string OwnPath() const {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path, length < MAX_PATH ? length : 0);
    }
};

TEST_F(LightsTest, StartSendsInitBytesAndLightsTheTraySwitchDarkensAndTheEndSendsExitBytes) {
    ASSERT_NO_FATAL_FAILURE(SetUpDevices());
    ConfigRule other = ConfigRule::KeyOnNotes(38, 38, 'B');
    other.foreExePath = "C:\\nowhere\\other.exe";
    ASSERT_NO_FATAL_FAILURE(WriteLitConfig(
        {{ConfigRule::ToggleOnNote(36)},
         {ConfigRule::KeyOnNotes(37, 37, 'A'), "Feedback=1\r\nFeedbackOn=100\r\nFeedbackCh=7\r\n"},
         {other}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    EXPECT_TRUE(WaitForSent(4));
    ASSERT_EQ(sandbox->Midi().Calls("midiOutOpen").size(), 1u);
    EXPECT_EQ(sandbox->Midi().Calls("midiOutOpen")[0].Number("device"), 1u)
        << "the paired output, never the synthesizer";
    EXPECT_EQ(SentFrom(0, 4),
              (std::vector<std::string>{"F0002029020E1001F7", "7F2490", "002690", "642596"}))
        << "init bytes, then each light: the switch on, the other program's pad off, the "
           "key's pad at its own value and channel";

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand)); // the tray's off
    EXPECT_EQ(SentFrom(4, 2), (std::vector<std::string>{"002490", "002596"}));

    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();
    EXPECT_EQ(SentFrom(6, 5),
              (std::vector<std::string>{"002490", "002690", "002596", "0000B0", "close"}))
        << "every light off, then the exit bytes, then the close";
}

TEST_F(LightsTest, AProgramBroughtToTheFrontLightsItsRulesAndDarkensTheOthers) {
    ASSERT_NO_FATAL_FAILURE(SetUpDevices());
    ConfigRule mine = ConfigRule::KeyOnNotes(40, 40, 'A');
    mine.foreExePath = OwnPath();
    ConfigRule settings = ConfigRule::KeyOnNotes(41, 41, 'B');
    settings.foreExePath = "Sorbelquintaro.exe";
    ASSERT_NO_FATAL_FAILURE(WriteLitConfig({{mine}, {settings}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(WaitForSent(3));
    const auto bringSettingsToFront = [&] {
        ASSERT_TRUE(SetForegroundWindow(window.Handle()));
        ASSERT_TRUE(
            WaitUntil([&] { return GetForegroundWindow() == window.Handle(); }, kActionTimeoutMs));
    };
    // Wine raises no foreground event: the next message notices the change.
    ASSERT_NO_FATAL_FAILURE(bringSettingsToFront());
    PostToOpenedPort(ProgramChange(0, 4));
    PumpMessagesFor(kQuietMs);

    const std::size_t before = Sent().size();
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    PostToOpenedPort(ProgramChange(0, 5));
    EXPECT_EQ(SentFrom(before, 2), (std::vector<std::string>{"002990", "7F2890"}))
        << "the settings window's pad off before the test program's on";

    ASSERT_NO_FATAL_FAILURE(bringSettingsToFront());
    PostToOpenedPort(ProgramChange(0, 6));
    EXPECT_EQ(SentFrom(before + 2, 2), (std::vector<std::string>{"002890", "7F2990"}));
}

TEST_F(LightsTest, ALayerSwitchMovesTheLightFromOnePadToAnother) {
    ASSERT_NO_FATAL_FAILURE(SetUpDevices());
    const auto layerPad = [](std::uint8_t note, std::uint8_t target) {
        ConfigRule rule;
        rule.noteNumber = rule.noteNumberEnd = note;
        rule.outputKind = ConfigRule::SwitchLayer;
        rule.layerTarget = target; // go to it and stay
        return LitRule{rule};
    };
    ASSERT_NO_FATAL_FAILURE(WriteLitConfig({layerPad(36, 1), layerPad(37, 2)}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    EXPECT_EQ(SentFrom(0, 3), (std::vector<std::string>{"F0002029020E1001F7", "7F2490", "002590"}))
        << "the program starts on layer 1";

    PostToOpenedPort(NoteOn(0, 37, 100));
    const std::vector<std::string> switched = SentFrom(3, 2);
    ASSERT_GE(switched.size(), 2u);
    EXPECT_EQ(switched[0], "002490") << "layer 1's pad off before layer 2's on";
    for (std::size_t i = 1; i < switched.size(); ++i) {
        // The pressed pad's repaint may follow, or join its queued light.
        EXPECT_EQ(switched[i], "7F2590") << i;
    }
}

TEST_F(LightsTest, AnOutputLoopedBackIntoTheInputStrikesNoKey) {
    ASSERT_NO_FATAL_FAILURE(SetUpDevices(0));
    ASSERT_NO_FATAL_FAILURE(WriteLitConfig({{ConfigRule::KeyOnNotes(40, 40, 'A')}}));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_TRUE(WaitForSent(2));
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    // Off and on again: each light comes back into the input at once.
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand));
    ASSERT_TRUE(WaitForSent(3));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand));
    ASSERT_TRUE(WaitForSent(4));
    PumpMessagesFor(kQuietMs);
    EXPECT_TRUE(recorder->Events().empty()) << "an echo of a light struck a key";
    // The user's own press still converts, and the repaint it brings back
    // strikes nothing either.
    PostToOpenedPort(NoteOn(0, 40, 100));
    ExpectKeys(ExpectedStroke('A'));
    const auto balloons = [&] {
        std::vector<std::string> texts;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
            if (!call.Text("info").empty()) {
                texts.push_back(call.Text("info"));
            }
        }
        return texts;
    };
    ASSERT_TRUE(WaitUntil([&] { return !balloons().empty(); }, kActionTimeoutMs));
    EXPECT_EQ(balloons(),
              (std::vector<std::string>{"MIDI-OUTデバイス[Pads]に送ったライトのメッセージが、"
                                        "入力に戻ってきているようです。"
                                        "戻ってきたメッセージは変換しません。"}));
}
