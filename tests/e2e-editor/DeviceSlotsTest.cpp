// The other device slots: chosen in their dialog, saved and opened at once;
// the editor's choice of a rule's device, set by the device played.
#include "EditorProgram.h"
#include "MidiMessages.h"
#include "Polling.h"

namespace {
constexpr int kOtherDevicesButton = 1240;
constexpr int kSlot2Combo = 1241;
constexpr int kEditorDeviceCombo = 1251;
const char kSlotsTitle[] = "他のデバイス";
} // namespace

class DeviceSlotsTest : public EditorProgramTest {
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
    static void Choose(const DialogDriver& dialog, int combo, int entry) {
        ASSERT_TRUE(dialog.SetComboSelection(combo, entry));
        ASSERT_TRUE(PostMessageA(GetParent(dialog.Control(combo)), WM_COMMAND,
                                 MAKEWPARAM(combo, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(dialog.Control(combo))));
    }
};

TEST_F(DeviceSlotsTest, ASecondDeviceIsSavedAndOpenedAtOnceAndTheEditorCapturesItsSlot) {
    ASSERT_TRUE(sandbox->SetMidiDevices({{"Keys"}, {"Pads"}}));
    ASSERT_NO_FATAL_FAILURE(StartWith({}, "Keys"));
    ASSERT_EQ(PortOf(1), 0u);

    ASSERT_TRUE(window.PostCommand(kOtherDevicesButton));
    const DialogDriver slots = DialogDriver::WaitFor(process.Id(), kSlotsTitle, kActionTimeoutMs);
    ASSERT_TRUE(slots.IsFound());
    EXPECT_EQ(slots.ComboSelection(kSlot2Combo), 0) << "(なし)";
    ASSERT_NO_FATAL_FAILURE(Choose(slots, kSlot2Combo, 2)); // (なし), Keys, Pads
    ASSERT_TRUE(WaitUntil([&] { return PortOf(1) != 0; }, kActionTimeoutMs)) << "not opened";
    ASSERT_TRUE(WaitUntil(
        [&] {
            const Config saved = sandbox->ReadConfig();
            return saved.otherDevices == std::vector<std::string>{"Pads"};
        },
        kActionTimeoutMs))
        << "not saved at once";
    ASSERT_NO_FATAL_FAILURE(Close(slots, true));

    // Two devices now: the editor offers the choice, and a note of Pads sets it.
    DialogDriver editor = OpenAdd();
    ASSERT_TRUE(editor.IsFound());
    EXPECT_TRUE(IsWindowVisible(editor.Control(kEditorDeviceCombo)));
    EXPECT_EQ(editor.ComboSelection(kEditorDeviceCombo), 0) << "すべてのデバイス";
    ASSERT_TRUE(window.PostMidi(PortOf(1), NoteOn(0, 61)));
    ASSERT_TRUE(WaitUntil([&] { return editor.ComboSelection(kEditorDeviceCombo) == 2; },
                          kActionTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Close(editor, true));
    ASSERT_TRUE(WaitUntil([&] { return RuleList().RowCount() == 1; }, kActionTimeoutMs));
    EXPECT_EQ(RuleRows().front().substr(0, 15), "Pads: Note# 61 ");

    const Config saved = EndAndReadConfig();
    ASSERT_EQ(saved.rules.size(), 1u);
    EXPECT_EQ(saved.rules[0].inputDevice, 2);
    EXPECT_EQ(saved.rules[0].noteNumber, 61);
}
