#include "FileRetry.h"

#include <iterator>

namespace {
// Half a second in all: long enough for a scanner's look at a small file,
// short enough for the end of a session.
constexpr unsigned kPausesMs[] = {25, 50, 75, 100, 125, 125};
// A sync client may hold the file for a second or two after it changed.
constexpr unsigned kTimedPausesMs[] = {50, 100, 200, 400, 800, 1600};
} // namespace

bool RetryWhileLocked(const std::function<FileTry()>& attempt, const FileRetrySleep& sleep) {
    FileTry result = attempt();
    for (unsigned pause : kPausesMs) {
        if (result != FileTry::Locked) {
            break;
        }
        sleep(pause);
        result = attempt();
    }
    return result == FileTry::Done;
}

unsigned PauseBeforeTimedRetry(int retry) {
    if (retry < 1 || retry > static_cast<int>(std::size(kTimedPausesMs))) {
        return 0;
    }
    return kTimedPausesMs[retry - 1];
}
