#pragma once
#include <windows.h>

#include <functional>

// One piece of work on a thread of its own, for a call that may keep its
// thread waiting on another program (the shell starting a program, the
// notification area taking an icon away) while the window's thread goes on.
// The work must own everything it uses: a thread still busy when its owner
// goes is let go, and ends on its own or with the process.
class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Runs `work` on a new thread; false when no thread could be made (the
    // work did not run) or this one was started already.
    bool Start(std::function<void()> work);
    // True once the work is over (or none was started), waiting for it at
    // most `timeoutMs`.
    bool Wait(DWORD timeoutMs);

private:
    HANDLE m_thread = nullptr;
};
