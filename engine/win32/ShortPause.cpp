#include "ShortPause.h"

#include "ScopedHandle.h"

#include <thread>

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
// CreateWaitableTimerExW documentation: Windows 10 1803 and later.
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// Sleep keeps the system's timer tick, 15.6 ms unless a program asks the
// whole system for more (Sleep documentation): a burst of a hundred lights
// would take one and a half seconds. A high-resolution waitable timer waits
// a millisecond without changing the tick for anybody else. Only the
// sender's one worker waits on it.
HANDLE HighResolutionTimer() {
    static const CScopedHandle timer(CreateWaitableTimerExW(
        nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    return timer.IsValid() ? timer.Get() : nullptr;
}

} // namespace

void PauseBriefly(std::chrono::microseconds span) {
    const HANDLE timer = HighResolutionTimer();
    if (timer != nullptr && span.count() > 0) {
        LARGE_INTEGER due;
        due.QuadPart = -static_cast<LONGLONG>(span.count()) * 10; // relative, in 100 ns
        if (SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) &&
            WaitForSingleObject(timer, 100) == WAIT_OBJECT_0) {
            return;
        }
    }
    // An older system has no such timer: the caller's wait turns into
    // yielding, which keeps the pace at the cost of a core during a burst.
    std::this_thread::yield();
}
