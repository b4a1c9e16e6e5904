// The tray icon's menu and mouse events, switching the converter off and
// on, hiding on minimise, and MIDI input while other boxes are open.
#include "E2eProgram.h"
#include "MidiMessages.h"
#include "Polling.h"
#include "Windows.h"

#include <windows.h>

#include <shellapi.h>

class TrayAndWindowTest : public E2eProgramTest {
protected:
    // Key A on note 60; the converter's switch on note 62; key B on 62 after it.
    void StartWithToggleRules() {
        Config config;
        config.rules = {ConfigRule::KeyOnNotes(60, 60, 'A'), ConfigRule::ToggleOnNote(62),
                        ConfigRule::KeyOnNotes(62, 62, 'B')};
        ASSERT_TRUE(sandbox->WriteConfig(config));
        ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
        ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    }
    void Post(std::uint32_t message) { ASSERT_TRUE(window.PostMidi(0x1000, message)); }

    // Right-clicks the tray icon and waits for the program's menu.
    HWND OpenTrayMenu() {
        EXPECT_TRUE(window.PostTrayMouse(WM_RBUTTONDOWN));
        HWND menu = nullptr;
        WaitUntil([&] { return (menu = FindPopupMenu(process.Id())) != nullptr; },
                  kActionTimeoutMs);
        return menu;
    }
    // Chooses an item of the open menu by its mnemonic, as the keyboard does.
    static void ChooseByMnemonic(HWND menu, char mnemonic) {
        PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(mnemonic), 1);
    }
    bool WaitForMenuToClose() {
        return WaitUntil([&] { return FindPopupMenu(process.Id()) == nullptr; }, kActionTimeoutMs);
    }
};

TEST_F(TrayAndWindowTest, TheDisableCommandStopsKeyRulesAndAToggleRuleBringsThemBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand));
    Post(NoteOn(0, 60)); // off: nothing
    Post(NoteOn(0, 62)); // switches on, then B acts in the same walk
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('B') + ExpectedStroke('A'));
}

TEST_F(TrayAndWindowTest, ToggleRulesSwitchOffAndOn) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    Post(NoteOn(0, 62)); // switches off: B after it does not act
    Post(NoteOn(0, 60));
    Post(NoteOn(0, 62)); // on again
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('B') + ExpectedStroke('A'));
}

TEST_F(TrayAndWindowTest, TheTrayMenuItemSwitchesTheConverterOffAndOn) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    HWND menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr) << "no menu on the right click";
    ChooseByMnemonic(menu, 'D'); // 無効にする(&D)
    ASSERT_TRUE(WaitForMenuToClose());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder()); // the menu took the foreground
    Post(NoteOn(0, 60));
    ExpectKeys({});

    menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    ChooseByMnemonic(menu, 'D');
    ASSERT_TRUE(WaitForMenuToClose());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));
}

TEST_F(TrayAndWindowTest, TheTrayMenuCanBeLeftWithoutChoosing) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    const HWND menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(WaitForMenuToClose());
    EXPECT_TRUE(process.IsRunning());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));
}

TEST_F(TrayAndWindowTest, TheExitMenuItemEndsTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    const HWND menu = OpenTrayMenu();
    ASSERT_NE(menu, nullptr);
    ChooseByMnemonic(menu, 'X'); // 終了(&X)...
    ExpectExit();
    EXPECT_EQ(sandbox->ReadConfig().rules.size(), 3u);

    // The icon came with the application name as its tip and went at the end.
    const std::vector<FakeWinmmCall> tray = sandbox->Midi().Calls("Shell_NotifyIconA");
    ASSERT_GE(tray.size(), 2u);
    EXPECT_EQ(tray.front().Number("message"), static_cast<unsigned>(NIM_ADD));
    EXPECT_EQ(tray.front().Text("tip"), "Sorbelquintaro");
    EXPECT_EQ(tray.back().Number("message"), static_cast<unsigned>(NIM_DELETE));
}

TEST_F(TrayAndWindowTest, EveryStartBeginsSwitchedOn) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kToggleCommand));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ExpectExit();

    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));
}

TEST_F(TrayAndWindowTest, MinimisingHidesTheWindowAndRulesStillFire) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostSysCommand(SC_MINIMIZE));
    ASSERT_TRUE(window.WaitUntilVisible(false, kActionTimeoutMs));
    EXPECT_FALSE(IsIconic(window.Handle()));
    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));
    EXPECT_FALSE(window.IsVisible());
}

TEST_F(TrayAndWindowTest, ALeftClickOnTheIconBringsTheHiddenWindowBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostSysCommand(SC_MINIMIZE));
    ASSERT_TRUE(window.WaitUntilVisible(false, kActionTimeoutMs));
    ASSERT_TRUE(window.PostTrayMouse(WM_LBUTTONDOWN));
    EXPECT_TRUE(window.WaitUntilVisible(true, kActionTimeoutMs));
    EXPECT_FALSE(IsIconic(window.Handle()));
}

TEST_F(TrayAndWindowTest, TheSettingsCommandBringsTheHiddenWindowBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostSysCommand(SC_MINIMIZE));
    ASSERT_TRUE(window.WaitUntilVisible(false, kActionTimeoutMs));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kSettingsCommand));
    EXPECT_TRUE(window.WaitUntilVisible(true, kActionTimeoutMs));
}

TEST_F(TrayAndWindowTest, OtherMouseEventsOnTheIconDoNothing) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostSysCommand(SC_MINIMIZE));
    ASSERT_TRUE(window.WaitUntilVisible(false, kActionTimeoutMs));
    for (UINT mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK}) {
        ASSERT_TRUE(window.PostTrayMouse(mouse));
    }
    PumpMessagesFor(kQuietMs);
    EXPECT_FALSE(window.IsVisible());
    EXPECT_EQ(FindPopupMenu(process.Id()), nullptr);
}

TEST_F(TrayAndWindowTest, TheVersionBoxShowsTheVersionAndMidiKeepsFlowingMeanwhile) {
    ASSERT_NO_FATAL_FAILURE(StartWithToggleRules());
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kVersionCommand));
    const HWND box = WaitForTopLevelWindow(
        process.Id(),
        [](HWND w) { return IsDialogTitled(w, "バージョン情報") && IsWindowVisible(w); },
        kActionTimeoutMs);
    ASSERT_NE(box, nullptr) << "no version box";
    const std::string line = WindowText(GetDlgItem(box, 1017));
    const std::string start = "Sorbelquintaro Version 1.00 (";
    EXPECT_EQ(line.compare(0, start.size(), start), 0) << line;

    ASSERT_NO_FATAL_FAILURE(FocusRecorder());
    Post(NoteOn(0, 60));
    ExpectKeys(ExpectedStroke('A'));

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kActionTimeoutMs));
    EXPECT_TRUE(process.IsRunning());
}

TEST_F(TrayAndWindowTest, AnIconTheShellRefusedIsAddedAgainShortlyAndOnlyUntilItIsThere) {
    ASSERT_TRUE(sandbox->Midi().FailTrayAdds(1));
    ASSERT_NO_FATAL_FAILURE(StartAndWaitVisible());
    auto adds = [&] {
        std::vector<FakeWinmmCall> found;
        for (const FakeWinmmCall& call : sandbox->Midi().Calls("Shell_NotifyIconA")) {
            if (call.Number("message") == NIM_ADD) {
                found.push_back(call);
            }
        }
        return found;
    };
    EXPECT_TRUE(WaitUntil([&] { return adds().size() >= 2; }, 2 * kActionTimeoutMs));
    PumpMessagesFor(4000); // longer than the program waits between tries
    const std::vector<FakeWinmmCall> tried = adds();
    ASSERT_EQ(tried.size(), 2u) << "no further tries once the icon is there";
    EXPECT_EQ(tried[0].Number("result"), 0u);
    EXPECT_EQ(tried[1].Number("result"), 1u);
}
