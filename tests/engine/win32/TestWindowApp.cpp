// A second process with windows for the activation tests:
//   sq_engine_test_window_app single TITLE   one visible window TITLE
//   sq_engine_test_window_app family TITLE   "TITLE lower", "TITLE main", a
//       window "TITLE owned" owned by main, and a hidden "TITLE hidden", in
//       that order of creation (so from the bottom of the Z order up)
// It ends when one of its windows is closed, or after a minute.
#include "HelperProgramWindow.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char kClassName[] = "SqEngineTestWindow";

HWND MakeWindow(const std::string& title, HWND owner, bool visible) {
    HWND window = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 300,
                                  200, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr && visible) {
        // Not activated: only the activation under test may bring it front.
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
    return window;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    if (!RegisterHelperWindowClass(kClassName)) {
        return 3;
    }
    const std::string title = argv[2];
    HWND first = nullptr;
    if (std::strcmp(argv[1], "single") == 0) {
        first = MakeWindow(title, nullptr, true);
    } else if (std::strcmp(argv[1], "family") == 0) {
        first = MakeWindow(title + " lower", nullptr, true);
        HWND main = MakeWindow(title + " main", nullptr, true);
        if (main == nullptr || MakeWindow(title + " owned", main, true) == nullptr ||
            MakeWindow(title + " hidden", nullptr, false) == nullptr) {
            return 4;
        }
    } else {
        return 2;
    }
    if (first == nullptr || !RunHelperProgram(first)) {
        return 4;
    }
    return 0;
}
