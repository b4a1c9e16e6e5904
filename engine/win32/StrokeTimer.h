#pragma once
#include <windows.h>

#include <functional>

// The one timer of the strokes that go out over time, on a message-only
// window of its own, so that it fires in whatever loop the thread runs (a
// rule editor's or a message box's too).
class CStrokeTimer {
public:
    explicit CStrokeTimer(std::function<void()> handler = nullptr);
    ~CStrokeTimer();

    CStrokeTimer(const CStrokeTimer&) = delete;
    CStrokeTimer& operator=(const CStrokeTimer&) = delete;

    void SetHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    // Fires once after delayMs, replacing an earlier request; a negative
    // delay only cancels. False when the platform refused the timer.
    bool Set(int delayMs);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool HasWindow();

    std::function<void()> m_handler;
    HWND m_window = nullptr;
    bool m_set = false;
};
