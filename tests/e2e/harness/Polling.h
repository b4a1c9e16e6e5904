#pragma once
#include <functional>

// Waits until `condition` holds or `timeoutMs` has passed, dispatching this
// thread's window messages meanwhile (the test's own windows keep working).
// True when the condition held.
bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs);

// Dispatches this thread's waiting window messages for `durationMs`; for the
// rare check that something does NOT happen.
void PumpMessagesFor(unsigned durationMs);
