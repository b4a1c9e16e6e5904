#pragma once
#include <windows.h>

#include <functional>

// A window that only receives messages: never shown, in no list of the
// desktop's windows, found only by its class (FindWindowEx with
// HWND_MESSAGE). What the program's threads and timers post to it is taken
// in whatever loop its thread runs, a modal one's too. Destroyed with the
// object; no message reaches the handler after that.
class CMessageOnlyWindow {
public:
    // Handles a message; false leaves it to the default processing.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    CMessageOnlyWindow() = default;
    ~CMessageOnlyWindow() { Destroy(); }
    CMessageOnlyWindow(const CMessageOnlyWindow&) = delete;
    CMessageOnlyWindow& operator=(const CMessageOnlyWindow&) = delete;

    // Makes the window of `className` (registered at its first use), which
    // hands its messages to `handler` on this thread; a window made before
    // goes first. False when the platform refuses either.
    bool Create(const char* className, Handler handler);
    void Destroy();
    HWND Handle() const { return m_window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    Handler m_handler;
};
