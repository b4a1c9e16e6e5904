#include "TimeOfDay.h"

#include <ctime>

namespace {
class CLocalTimeOfDay : public ITimeOfDay {
public:
    std::uint32_t MillisecondsOfDay() const override {
        timespec now{};
        std::tm local{};
        if (clock_gettime(CLOCK_REALTIME, &now) != 0 || localtime_r(&now.tv_sec, &local) == nullptr) {
            return 0;
        }
        return ((static_cast<std::uint32_t>(local.tm_hour) * 60u + local.tm_min) * 60u +
                static_cast<std::uint32_t>(local.tm_sec % 60)) * 1000u +
               static_cast<std::uint32_t>(now.tv_nsec / 1000000);
    }
};
} // namespace

const ITimeOfDay& PlatformTimeOfDay() {
    static const CLocalTimeOfDay clock;
    return clock;
}
