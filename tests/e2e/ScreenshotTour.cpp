// Walks the real program through the views the README shows: the settings
// window, the tray menu, the rule editor, the version box and the MIDI
// monitor. At each view it prints the
// view's name and waits for a line on its input, so that a script outside
// Wine can take the screenshot (tools/screenshots.sh).
#include "ProgramProcess.h"
#include "ProgramSandbox.h"
#include "SettingsWindow.h"
#include "Windows.h"

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
constexpr unsigned kTimeoutMs = 20000;
constexpr WORD kAddCommand = 1002;
constexpr WORD kMonitorCommand = 32780;
constexpr int kMouseRadio = 1122;
constexpr int kControlCheckBox = 1015;
constexpr int kLightCheckBox = 1311;
// The program does not look at the port handle.
constexpr std::uintptr_t kAnyPort = 0x7777;

bool ShowAndWait(const char* view) {
    std::cout << view << std::endl;
    std::string line;
    return static_cast<bool>(std::getline(std::cin, line));
}

int Fail(const char* what) {
    std::cerr << "screenshot tour: " << what << std::endl;
    return 1;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Fail("usage: e2e_screenshot_tour <Sorbelquintaro.exe> <winmm.dll> [Config.ini]");
    }
    ProgramSandbox sandbox(argv[1], argv[2]);
    if (!sandbox.IsReady() || !sandbox.SetMidiDevices({{"USB MIDI Keyboard"}})) {
        return Fail("cannot set up the program's folder");
    }
    if (argc > 3 && !CopyFileA(argv[3], sandbox.ConfigPath().c_str(), FALSE)) {
        return Fail("cannot copy the settings file");
    }
    if (!WritePrivateProfileStringA("General", "MidiInDevice", "USB MIDI Keyboard",
                                    sandbox.ConfigPath().c_str())) {
        return Fail("cannot name the device in the settings file");
    }
    // Flushes the cached file. Wine answers FALSE to this call whatever
    // happens (dlls/kernel32/profile.c, WritePrivateProfileStringW), so its
    // result tells nothing.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, sandbox.ConfigPath().c_str());

    ProgramProcess process;
    if (!sandbox.Start(process)) {
        return Fail("cannot start the program");
    }
    const SettingsWindow window = SettingsWindow::WaitFor(process.Id(), kTimeoutMs);
    if (!window.IsFound() || !window.WaitUntilVisible(true, kTimeoutMs)) {
        return Fail("no settings window");
    }
    Sleep(500);
    if (!ShowAndWait("settings")) {
        return 1;
    }

    SetCursorPos(700, 420);
    window.PostTrayMouse(WM_RBUTTONDOWN);
    HWND menu = nullptr;
    for (unsigned waited = 0; menu == nullptr && waited < kTimeoutMs; waited += 50) {
        Sleep(50);
        menu = FindPopupMenu(process.Id());
    }
    if (menu == nullptr) {
        return Fail("no tray menu");
    }
    Sleep(300);
    if (!ShowAndWait("menu")) {
        return 1;
    }
    // Leaves the menu as a user would, with Esc.
    INPUT escape[2] = {};
    escape[0].type = escape[1].type = INPUT_KEYBOARD;
    escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
    escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, escape, sizeof(INPUT));
    Sleep(300);

    // The rule editor with an encoder turned right twice while it is open:
    // the capture picks the direction and the encoding; its light is on.
    window.PostCommand(kAddCommand);
    HWND editor = WaitForTopLevelWindow(
        process.Id(),
        [](HWND w) { return IsDialogTitled(w, "変換マップの追加") && IsWindowVisible(w); },
        kTimeoutMs);
    if (editor == nullptr) {
        return Fail("no rule editor");
    }
    Sleep(300);
    for (int i = 0; i < 2; ++i) {
        window.PostMidi(kAnyPort, 0x0114B0); // controller 20, value 1
    }
    PostMessageA(GetDlgItem(editor, kMouseRadio), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(editor, kControlCheckBox), BM_CLICK, 0, 0);
    PostMessageA(GetDlgItem(editor, kLightCheckBox), BM_CLICK, 0, 0);
    Sleep(500);
    if (!ShowAndWait("editor")) {
        return 1;
    }
    PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);

    window.PostCommand(SettingsWindow::kVersionCommand);
    HWND about = WaitForTopLevelWindow(
        process.Id(),
        [](HWND w) { return IsDialogTitled(w, "バージョン情報") && IsWindowVisible(w); },
        kTimeoutMs);
    if (about == nullptr) {
        return Fail("no version box");
    }
    Sleep(300);
    if (!ShowAndWait("version")) {
        return 1;
    }
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    Sleep(300);

    // The monitor after a short phrase: rules that acted, input no rule
    // takes, the converter switched off and on by the pedal, a message the
    // program does not decode.
    window.PostCommand(kMonitorCommand);
    HWND monitor = WaitForTopLevelWindow(
        process.Id(), [](HWND w) { return IsDialogTitled(w, "MIDI モニター") && IsWindowVisible(w); },
        kTimeoutMs);
    if (monitor == nullptr) {
        return Fail("no monitor");
    }
    const std::uint32_t phrase[] = {
        0x643C90, 0x003C80, 0x643F90, 0x504690, 0x0114B0, 0x5A07B0, 0x5E00E0,
        0x0005C0, 0x0000FE, 0x7F40B0, 0x643C90, 0x0040B0, 0x7F40B0, 0x643E90,
    };
    for (const std::uint32_t message : phrase) {
        window.PostMidi(kAnyPort, message);
        Sleep(30);
    }
    Sleep(1600); // the notice of the last switch has faded
    if (!ShowAndWait("monitor")) {
        return 1;
    }

    PostMessageA(monitor, WM_COMMAND, IDCANCEL, 0);
    Sleep(1500);
    window.PostCommand(SettingsWindow::kExitCommand);
    if (!process.WaitForExit(kTimeoutMs)) {
        process.Kill();
        return Fail("the program did not end");
    }
    std::cout << "done" << std::endl;
    return 0;
}
