#pragma once
#include <windows.h>

#include <functional>

// One copy of the program runs per desktop session. A second start finds
// the first by a named mutex in the session's namespace, asks the first's
// settings window to come to the front, and ends before it loads anything:
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

    // In a later copy: asks the first copy's settings window to show itself,
    // waiting up to `timeoutMs` for a first copy still starting to answer.
    // True when it was asked.
    static bool ShowFirst(unsigned timeoutMs);

private:
    HANDLE m_mutex = nullptr;
    bool m_first = true;
};

// The settings window's side: true for the later copy's message, with
// *result the answer that tells it found us; `showSettings` is called when
// the window is to come to the front.
bool OnSingleInstanceMessage(UINT message, WPARAM wParam, LRESULT* result,
                             const std::function<void()>& showSettings);
