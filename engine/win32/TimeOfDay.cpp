#include "TimeOfDay.h"

#include <windows.h>

namespace {
class CLocalTimeOfDay : public ITimeOfDay {
public:
    std::uint32_t MillisecondsOfDay() const override {
        SYSTEMTIME now;
        ::GetLocalTime(&now); // cannot fail
        return ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
    }
};
} // namespace

const ITimeOfDay& PlatformTimeOfDay() {
    static const CLocalTimeOfDay clock;
    return clock;
}
