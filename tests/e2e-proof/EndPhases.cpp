#include "EndPhases.h"

#include "Stopwatch.h"
#include "StringUtil.h"

#include <windows.h>

#include <shellapi.h>

namespace {
// The time of the last line of `function` written after `after` (and
// passing `test`), less the call's own duration when `atStart`.
std::optional<double> LastTime(const std::vector<FakeWinmmCall>& calls, const char* function,
                               double after, bool atStart = false,
                               bool (*test)(const FakeWinmmCall&) = nullptr) {
    std::optional<double> found;
    for (const FakeWinmmCall& call : calls) {
        const double t = call.Milliseconds("t") - (atStart ? call.Milliseconds("ms") : 0.0);
        if (call.function == function && t >= after && (test == nullptr || test(call))) {
            found = t - after;
        }
    }
    return found;
}

bool IsRemoval(const FakeWinmmCall& call) {
    return call.Number("message") == NIM_DELETE;
}

template <typename Field> double MedianOf(const std::vector<EndPhases>& runs, Field field) {
    std::vector<double> values;
    for (const EndPhases& run : runs) {
        values.push_back(run.*field);
    }
    return Median(values);
}
} // namespace

std::optional<EndPhases> ReadEndPhases(const std::vector<FakeWinmmCall>& calls, double exitPostedMs,
                                       double goneMs) {
    const auto runEnded = LastTime(calls, "Shell_NotifyIconA", exitPostedMs, true, &IsRemoval);
    const auto trayGone = LastTime(calls, "Shell_NotifyIconA", exitPostedMs, false, &IsRemoval);
    const auto saved = LastTime(calls, "MoveFileExA", exitPostedMs);
    const auto portClosed = LastTime(calls, "midiInClose", exitPostedMs);
    const auto unloaded = LastTime(calls, "detach", exitPostedMs);
    if (!runEnded || !trayGone || !saved || !portClosed || !unloaded) {
        return std::nullopt;
    }
    return EndPhases{*runEnded, *trayGone, *saved, *portClosed, *unloaded, goneMs - exitPostedMs};
}

std::string EndPhasesText(const std::vector<EndPhases>& runs) {
    return Format("median ms after the command: loop over %.0f, tray icon gone %.0f, saved %.0f, "
                  "port closed %.0f, library unloaded %.0f, process gone %.0f",
                  MedianOf(runs, &EndPhases::runEnded), MedianOf(runs, &EndPhases::trayGone),
                  MedianOf(runs, &EndPhases::saved), MedianOf(runs, &EndPhases::portClosed),
                  MedianOf(runs, &EndPhases::unloaded), MedianOf(runs, &EndPhases::gone));
}
