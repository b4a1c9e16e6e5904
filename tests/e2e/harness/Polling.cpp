#include "Polling.h"

#include <windows.h>

namespace {

void PumpWaitingMessages() {
    MSG msg;
    // The wide forms: typed characters reach a Unicode window as they were
    // typed, not through the ANSI code page (ANSI windows get them converted).
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Sleeps up to `ms`, waking early when a message arrives.
void Nap(DWORD ms) { MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT); }

} // namespace

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpWaitingMessages();
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            PumpWaitingMessages();
            return condition();
        }
        Nap(10);
    }
}

void PumpMessagesFor(unsigned durationMs) {
    const ULONGLONG deadline = GetTickCount64() + durationMs;
    do {
        PumpWaitingMessages();
        Nap(10);
    } while (GetTickCount64() < deadline);
    PumpWaitingMessages();
}
