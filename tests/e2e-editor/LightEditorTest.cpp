// A rule's light switched on in the editor: saved into the rule's section,
// and sent at once to the output paired with the rule's device.
#include "EditorProgram.h"
#include "Polling.h"

#include <algorithm>

namespace {
constexpr int kLight = 1311;
constexpr int kLightChannel = 1313;
constexpr int kLightOn = 1315;
constexpr int kLightOff = 1317;
// Note-on of note 36 on channel 7 with velocity 100, packed.
constexpr unsigned long long kPadLitAt100OnChannel7 = 0x642496;
} // namespace

class LightEditorTest : public EditorProgramTest {
protected:
    std::string Saved(const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA("TableItem000", key, "(none)", value, sizeof value,
                                 sandbox->ConfigPath().c_str());
        return value;
    }
    bool WasSent(unsigned long long message) const {
        const std::vector<FakeWinmmCall> sent = sandbox->Midi().Calls("midiOutShortMsg");
        return std::any_of(sent.begin(), sent.end(), [&](const FakeWinmmCall& call) {
            return call.Number("result") == 0 && call.Number("message") == message;
        });
    }
};

TEST_F(LightEditorTest, ALightSwitchedOnInTheEditorIsSavedAndSentToThePairedOutput) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Pads"}}));
    ASSERT_TRUE(sandbox->Midi().SetOutputs({{"Microsoft GS Wavetable Synth", true}, {"Pads"}}));
    Config config;
    config.midiInDevice = "Pads";
    config.rules = {ConfigRule::KeyOnNotes(36, 36, 'A')};
    std::string text = ConfigText(config);
    const std::string count = "TableItemCount=1\r\n";
    const std::size_t general = text.find(count);
    ASSERT_NE(general, std::string::npos);
    text.insert(general + count.size(), "MidiOutDevice=Pads\r\n");
    ASSERT_TRUE(WriteFileBytes(sandbox->ConfigPath(), text));
    ASSERT_NO_FATAL_FAILURE(StartWithWrittenConfig(1));

    const DialogDriver editor = OpenEditOf(0);
    ASSERT_TRUE(editor.IsFound());
    EXPECT_TRUE(editor.IsEnabled(kLight)) << "a note can be lit";
    EXPECT_FALSE(editor.IsChecked(kLight));
    EXPECT_FALSE(editor.IsEnabled(kLightOn)) << "values without the light";
    EXPECT_EQ(editor.Text(kLightOn), "127");
    EXPECT_EQ(editor.Text(kLightOff), "0");
    EXPECT_EQ(editor.ComboSelection(kLightChannel), 0) << "the rule's own channel";

    ASSERT_TRUE(editor.Click(EditorControl::kProgramEvent));
    EXPECT_TRUE(WaitUntil([&] { return !editor.IsEnabled(kLight); }, kActionTimeoutMs))
        << "a program change has no light";
    ASSERT_TRUE(editor.Click(EditorControl::kNoteEvent));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsEnabled(kLight); }, kActionTimeoutMs));

    ASSERT_TRUE(editor.Click(kLight));
    ASSERT_TRUE(WaitUntil([&] { return editor.IsEnabled(kLightOn); }, kActionTimeoutMs));
    EXPECT_TRUE(editor.IsEnabled(kLightOff));
    EXPECT_TRUE(editor.IsEnabled(kLightChannel));
    ASSERT_TRUE(editor.SetText(kLightOn, "100"));
    ASSERT_TRUE(editor.SetComboSelection(kLightChannel, 7));
    EXPECT_FALSE(WasSent(kPadLitAt100OnChannel7));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));

    EXPECT_TRUE(WaitUntil([&] { return WasSent(kPadLitAt100OnChannel7); }, kActionTimeoutMs))
        << "the pad's light, on at once: its rule can act";
    EndAndReadConfig();
    EXPECT_EQ(Saved("Feedback"), "1");
    EXPECT_EQ(Saved("FeedbackOn"), "100");
    EXPECT_EQ(Saved("FeedbackOff"), "(none)") << "the default is not written";
    EXPECT_EQ(Saved("FeedbackCh"), "7");
}
