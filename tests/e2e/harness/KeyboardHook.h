#pragma once
#include <windows.h>

#include <vector>

// Sees every key release of the desktop, whichever window has the focus,
// while the test thread pumps messages (WaitUntil, PumpMessagesFor): a
// release sent while a menu, a dialog or no window of the test has the focus
// still shows here. One at a time.
class KeyboardHook {
public:
    KeyboardHook();
    ~KeyboardHook();

    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    bool IsSet() const { return m_hook != nullptr; }
    static bool SawRelease(DWORD virtualKey);

private:
    static LRESULT CALLBACK Record(int code, WPARAM message, LPARAM data);

    HHOOK m_hook;
};
