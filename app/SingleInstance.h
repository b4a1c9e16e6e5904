#pragma once
#include "MessageOnlyWindow.h"

#include <windows.h>

#include <functional>

// One copy of the program runs per desktop session. A second start finds
// the first by a named mutex in the session's namespace, asks the first to
// bring its settings window to the front, and ends before it loads anything:
// two copies would both convert every event of a shared port and both
// write Config.ini.
class CSingleInstance {
public:
    CSingleInstance();
    ~CSingleInstance();

    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False when another copy holds the mutex. True as well when the mutex
    // cannot be had at all: better two copies than none.
    bool IsFirst() const { return m_first; }

    // In a later copy: asks the first copy to show its settings window,
    // waiting up to `timeoutMs` for a first copy still starting. True when
    // it was asked.
    static bool ShowFirst(unsigned timeoutMs);

private:
    HANDLE m_mutex = nullptr;
    bool m_first = true;
};

// The first copy's side: a message-only window of a class of its own, which
// a later copy finds directly (no question to every window of the desktop).
// Lets the request through the message filter of an elevated copy.
class CFirstCopyWindow {
public:
    CFirstCopyWindow() = default;
    ~CFirstCopyWindow() { Destroy(); }

    CFirstCopyWindow(const CFirstCopyWindow&) = delete;
    CFirstCopyWindow& operator=(const CFirstCopyWindow&) = delete;

    // `showSettings` is called, on this thread, for each request. False
    // when the window cannot be made: later copies then find no first one.
    bool Create(std::function<void()> showSettings);
    // No request comes any more.
    void Destroy();

private:
    CMessageOnlyWindow m_window;
    std::function<void()> m_showSettings;
};
