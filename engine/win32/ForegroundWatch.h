#pragma once
#include <windows.h>

#include <functional>

// Tells when another window comes to the front (EVENT_SYSTEM_FOREGROUND,
// out of context: the callback runs on the thread that started the watch,
// from its message loop). Wine raises no such event; callers also look at
// the window in front when their own input comes.
class CForegroundWatch {
public:
    CForegroundWatch() = default;
    ~CForegroundWatch() { Stop(); }
    CForegroundWatch(const CForegroundWatch&) = delete;
    CForegroundWatch& operator=(const CForegroundWatch&) = delete;

    // False when the hook could not be set; the caller then goes without.
    bool Start(std::function<void()> changed);
    void Stop();

private:
    static void CALLBACK OnForeground(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                      LONG child, DWORD thread, DWORD time);

    HWINEVENTHOOK m_hook = nullptr;
    std::function<void()> m_changed;
    // The one watch of the process; a hook callback has no context of its own.
    static CForegroundWatch* s_watching;
};
