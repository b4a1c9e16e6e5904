// Keys held as long as a note is held, released by every way out; and key
// strokes that arrive exactly as the rule says whatever the user holds.
#include "E2eProgram.h"
#include "KeyboardHook.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

namespace {

bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// A key the test itself presses, as the user's hand would, and lets go of
// at the end whatever happens.
class PhysicalKey {
public:
    explicit PhysicalKey(WORD virtualKey) : m_key(virtualKey) { m_sent = Send(false); }
    ~PhysicalKey() {
        if (m_sent) {
            Send(true);
        }
    }
    bool IsSent() const { return m_sent; }

private:
    bool Send(bool up) const {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = m_key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(m_key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return SendInput(1, &input, sizeof input) == 1;
    }
    WORD m_key;
    bool m_sent;
};

} // namespace

class HeldKeysTest : public E2eProgramTest {
protected:
    void StartWithHeldA() {
        ConfigRule held = ConfigRule::KeyOnNotes(60, 60, 'A');
        held.keyHold = true;
        ASSERT_NO_FATAL_FAILURE(StartFocusedWith({held}));
        PostToOpenedPort(NoteOn(0, 60));
        ExpectKeys({{true, 'A'}});
        ASSERT_TRUE(IsDown('A'));
    }
    static bool WaitForRelease(DWORD virtualKey) {
        return WaitUntil([&] { return KeyboardHook::SawRelease(virtualKey); }, kActionTimeoutMs);
    }
    KeyboardHook hook;
};

TEST_F(HeldKeysTest, AHeldNoteKeepsItsKeyDownUntilTheNoteOff) {
    ASSERT_TRUE(hook.IsSet());
    ASSERT_NO_FATAL_FAILURE(StartWithHeldA());
    PumpMessagesFor(kQuietMs);
    EXPECT_TRUE(recorder->Events().empty()) << Describe(recorder->Events());
    EXPECT_FALSE(KeyboardHook::SawRelease('A'));
    PostToOpenedPort(NoteOn(0, 60, 0)); // velocity 0 is the note-off
    ExpectKeys({{false, 'A'}});
    EXPECT_TRUE(KeyboardHook::SawRelease('A'));
}

TEST_F(HeldKeysTest, SwitchingOffFromTheTrayReleasesTheHeldKey) {
    ASSERT_TRUE(hook.IsSet());
    ASSERT_NO_FATAL_FAILURE(StartWithHeldA());
    ASSERT_FALSE(KeyboardHook::SawRelease('A'));
    ASSERT_TRUE(window.PostTrayMouse(WM_RBUTTONDOWN));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindPopupMenu(process.Id())) != nullptr; },
                          kActionTimeoutMs));
    PostMessageA(menu, WM_CHAR, 'D', 1); // 無効にする(&D)
    EXPECT_TRUE(WaitForRelease('A'));
}

TEST_F(HeldKeysTest, EndingTheProgramReleasesTheHeldKey) {
    ASSERT_TRUE(hook.IsSet());
    ASSERT_NO_FATAL_FAILURE(StartWithHeldA());
    ASSERT_FALSE(KeyboardHook::SawRelease('A'));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    // Pumping, so that the hook sees what the ending program sends.
    EXPECT_TRUE(WaitForRelease('A'));
    ExpectExit();
}

TEST_F(HeldKeysTest, AStrokeLiftsTheModifiersTheUserHoldsAroundItself) {
    ASSERT_NO_FATAL_FAILURE(StartFocusedWith(
        {ConfigRule::KeyOnNotes(60, 60, 'A', 1), ConfigRule::KeyOnNotes(62, 62, 'B')}));
    {
        const PhysicalKey shift(VK_LSHIFT);
        ASSERT_TRUE(shift.IsSent());
        ExpectKeys({{true, VK_SHIFT}});
        PostToOpenedPort(NoteOn(0, 60));
        ExpectKeys({{false, VK_SHIFT}, {true, VK_CONTROL}, {true, 'A'}, {false, 'A'},
                    {false, VK_CONTROL}, {true, VK_SHIFT}});
        EXPECT_TRUE(IsDown(VK_SHIFT)) << "the user's Shift is down again";
    }
    ExpectKeys({{false, VK_SHIFT}});
    {
        const PhysicalKey ctrl(VK_LCONTROL);
        ASSERT_TRUE(ctrl.IsSent());
        ExpectKeys({{true, VK_CONTROL}});
        PostToOpenedPort(NoteOn(0, 62));
        ExpectKeys({{false, VK_CONTROL}, {true, 'B'}, {false, 'B'}, {true, VK_CONTROL}});
    }
}
