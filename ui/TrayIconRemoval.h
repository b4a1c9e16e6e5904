#pragma once
#include "WorkerThread.h"

#include <windows.h>

#include <shellapi.h>

// Takes the tray icon away at the end of the program without holding the
// window's thread. The shell removes an icon while its caller waits, and may
// take its time: Wine's tray hides its own window when its last icon goes
// and waits up to 2 s for the X server to confirm that, and a busy Explorer
// keeps its caller until a time-out. Begun on a thread of its own when the
// window's run ends, the removal overlaps the window's own end (hiding,
// saving); the window's destruction then waits for it, so that the icon is
// gone before the process is.
class CTrayIconRemoval {
public:
    // Starts removing the icon; here and now when no thread can be made.
    void Begin(const NOTIFYICONDATAA& icon);
    // Returns once the icon is gone (waiting a few seconds at most); removes
    // it here when nothing was begun.
    void Complete(const NOTIFYICONDATAA& icon);

private:
    CWorkerThread m_thread;
    bool m_begun = false;
};
