#include "TimeOfDay.h"

#include <ctime>

namespace {
// Every message is stamped: the zone's offset is looked up again only when
// the minute changes, not for each message.
class CLocalTimeOfDay : public ITimeOfDay {
public:
    std::uint32_t MillisecondsOfDay() const override {
        timespec now{};
        if (clock_gettime(CLOCK_REALTIME, &now) != 0) {
            return 0;
        }
        const long long minute = now.tv_sec / 60;
        if (minute != m_offsetMinute) {
            std::tm local{};
            m_offsetSeconds = localtime_r(&now.tv_sec, &local) != nullptr ? local.tm_gmtoff : 0;
            m_offsetMinute = minute;
        }
        const long long day = 24LL * 60 * 60;
        const long long seconds = ((now.tv_sec + m_offsetSeconds) % day + day) % day;
        return static_cast<std::uint32_t>(seconds * 1000 + now.tv_nsec / 1000000);
    }

private:
    mutable long long m_offsetMinute = -1;
    mutable long m_offsetSeconds = 0;
};
} // namespace

const ITimeOfDay& PlatformTimeOfDay() {
    static const CLocalTimeOfDay clock;
    return clock;
}
