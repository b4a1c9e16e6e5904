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
// True when a try was Done.
bool RetryWhileLocked(const std::function<FileTry()>& attempt, const FileRetrySleep& sleep);
