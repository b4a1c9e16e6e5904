// Used by tests/demo/demo-test.sh: waits until Wine's notepad holds the
// demo keyboard's phrase twice (typed by the program, and the loop came
// round), prints what notepad holds and answers 0 when it came in time.
// Then opens the program's MIDI monitor from its tray menu, for the
// screenshot the script takes.
#include "Windows.h"

#include <windows.h>

#include <iostream>
#include <string>

namespace {
constexpr DWORD kTimeoutMs = 60000;
constexpr WORD kMonitorCommand = 32780;
const char kTwice[] = "hello midi\r\nhello midi";

HWND FindNotepadEdit() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (WindowClass(window) != "Notepad") {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(result) = FindWindowExA(window, nullptr, "Edit", nullptr);
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
void OpenMonitor() {
    HWND settings = nullptr;
    EnumWindows(
        [](HWND window, LPARAM result) -> BOOL {
            if (!IsDialogTitled(window, "Sorbelquintaro Ver.")) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&settings));
    if (settings == nullptr ||
        !PostMessageA(settings, WM_COMMAND, MAKEWPARAM(kMonitorCommand, 0), 0)) {
        std::cout << "no settings window to open the monitor from" << std::endl;
        return;
    }
    WaitForTopLevelWindow(
        WindowProcessId(settings),
        [](HWND w) { return IsWindowVisible(w) && IsDialogTitled(w, "MIDI モニター"); }, 5000);
    Sleep(1500); // a few more notes in the list
}
} // namespace

int main() {
    std::string text;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        if (HWND edit = FindNotepadEdit()) {
            text = WindowText(edit); // WM_GETTEXT travels between processes
            if (text.find(kTwice) != std::string::npos) {
                std::cout << text << std::endl;
                OpenMonitor();
                return 0;
            }
        }
        Sleep(250);
    }
    std::cout << "notepad holds: \"" << text << "\"" << std::endl;
    return 1;
}
