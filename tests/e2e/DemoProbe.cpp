// Used by tests/demo/demo-test.sh: waits until Wine's notepad holds the
// demo keyboard's phrase twice (typed by the program, and the loop came
// round), prints what notepad holds and answers 0 when it came in time.
#include "Windows.h"

#include <windows.h>

#include <iostream>
#include <string>

namespace {
constexpr DWORD kTimeoutMs = 60000;
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
} // namespace

int main() {
    std::string text;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        if (HWND edit = FindNotepadEdit()) {
            text = WindowText(edit); // WM_GETTEXT travels between processes
            if (text.find(kTwice) != std::string::npos) {
                std::cout << text << std::endl;
                return 0;
            }
        }
        Sleep(250);
    }
    std::cout << "notepad holds: \"" << text << "\"" << std::endl;
    return 1;
}
