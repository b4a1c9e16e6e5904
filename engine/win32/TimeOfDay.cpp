#include "TimeOfDay.h"

#include <windows.h>

namespace {
// Every message is stamped: the system time and the current offset of the
// local zone, without the calendar arithmetic of GetLocalTime.
class CLocalTimeOfDay : public ITimeOfDay {
public:
    std::uint32_t MillisecondsOfDay() const override {
        FILETIME utc;
        FILETIME local;
        ::GetSystemTimeAsFileTime(&utc); // cannot fail
        if (!::FileTimeToLocalFileTime(&utc, &local)) {
            local = utc;
        }
        const ULONGLONG ticks = (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) |
                                local.dwLowDateTime; // 100 ns since 1601, local
        return static_cast<std::uint32_t>(ticks / 10000 % (24ull * 60 * 60 * 1000));
    }
};
} // namespace

const ITimeOfDay& PlatformTimeOfDay() {
    static const CLocalTimeOfDay clock;
    return clock;
}
