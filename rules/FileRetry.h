#pragma once
#include <functional>

// What one try of a file operation came to.
enum class FileTry {
    Done,
    // Another program has the file open for a moment (a virus scanner, the
    // search indexer, a sync client): a later try may work.
    Locked,
    Failed,
};

// Waits the given milliseconds; tests count instead of waiting.
using FileRetrySleep = std::function<void(unsigned milliseconds)>;

// Tries the operation until it is done or has failed for good; a locked
// file is tried again, with growing pauses of about half a second in all.
// For the end of the program only, when no input waits for this thread.
// True when a try was Done.
bool RetryWhileLocked(const std::function<FileTry()>& attempt, const FileRetrySleep& sleep);

// While the program runs, a locked file is tried again on a timer instead,
// so that the thread goes on converting meanwhile; the wait may then be
// longer, about three seconds in all. The pause before retry `retry` (1 for
// the first); 0 once the retries are used up.
unsigned PauseBeforeTimedRetry(int retry);
