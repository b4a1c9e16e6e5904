#pragma once
// The windows of the small programs the tests start as processes of their
// own: closing one of them, or their lifetime timer, ends the program, so
// that none outlives a test that failed to close it.
#include <windows.h>

constexpr UINT kHelperProgramLifetimeMs = 60000;

inline LRESULT CALLBACK EndOnCloseOrTimer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A window class with that behaviour; false when it cannot be registered.
inline bool RegisterHelperWindowClass(const char* className) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = EndOnCloseOrTimer;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return RegisterClassA(&windowClass) != 0;
}

// Starts the lifetime timer on the window and runs the messages until the
// program is to end. False when the timer cannot be started.
inline bool RunHelperProgram(HWND window) {
    if (SetTimer(window, 1, kHelperProgramLifetimeMs, nullptr) == 0) {
        return false;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}
