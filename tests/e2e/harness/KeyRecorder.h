#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One keyboard message that reached the recording window.
struct KeyEvent {
    bool down;
    UINT virtualKey;
    // Came as WM_SYSKEYDOWN / WM_SYSKEYUP. Which keys the platform reports
    // as system keys (Alt held, Ctrl not) is its affair, so equality leaves
    // this out.
    bool system = false;
    // When it arrived (GetTickCount64), for the pace of sequences.
    unsigned long long atMs = 0;

    bool operator==(const KeyEvent& other) const {
        return down == other.down && virtualKey == other.virtualKey;
    }
};

// "down A", "up A", "down 0x12" ...: readable in test failures.
std::string Describe(const KeyEvent& event);
std::string Describe(const std::vector<KeyEvent>& events);

// The key events of one stroke of `virtualKey` with Ctrl, Shift and Alt as
// in bits 0, 1 and 2 of `flags`: modifiers down, the key down and up, the
// modifiers up in reverse order.
std::vector<KeyEvent> ExpectedStroke(UINT virtualKey, unsigned flags = 0);
// One sequence after the other.
std::vector<KeyEvent> operator+(std::vector<KeyEvent> first, const std::vector<KeyEvent>& second);

// One turn of a mouse wheel that reached the recording window.
struct WheelEvent {
    bool horizontal;
    int delta;
    bool ctrl; // Ctrl was down, as the message says
};

// A top-level window of the test that takes the keyboard focus and records
// every key message it receives, and the wheel turns when the pointer is
// on it. Key messages are kept away from the
// default handling, so Alt does not open a system menu.
class KeyRecorder {
public:
    KeyRecorder();
    ~KeyRecorder();

    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    HWND Handle() const { return m_window; }

    // Makes this the foreground window with the focus; true when it is so
    // within the time.
    bool TakeFocus(unsigned timeoutMs);
    bool HasFocus() const;

    const std::vector<KeyEvent>& Events() const { return m_events; }
    const std::vector<WheelEvent>& Wheels() const { return m_wheels; }
    // The characters that arrived (WM_CHAR, as UTF-16: the window is a
    // Unicode one), typed keys such as Enter and Tab included.
    const std::u16string& Typed() const { return m_typed; }
    void Clear() {
        m_events.clear();
        m_wheels.clear();
        m_typed.clear();
    }
    // Puts the pointer on the window: wheel messages go to the window under
    // it (Wine), or to the focus (older Windows).
    bool PointAtWindow() const;
    // Waits until at least `count` events are recorded.
    bool WaitForEvents(std::size_t count, unsigned timeoutMs);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    std::vector<KeyEvent> m_events;
    std::vector<WheelEvent> m_wheels;
    std::u16string m_typed;
};
