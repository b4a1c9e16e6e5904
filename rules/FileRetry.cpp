#include "FileRetry.h"

namespace {
// Half a second in all: long enough for a scanner's look at a small file,
// short enough not to be felt on the user-interface thread.
constexpr unsigned kPausesMs[] = {25, 50, 75, 100, 125, 125};
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
