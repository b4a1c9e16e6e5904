#include "Stopwatch.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace {
long long Frequency() {
    static const long long frequency = [] {
        LARGE_INTEGER value;
        return QueryPerformanceFrequency(&value) ? value.QuadPart : 1;
    }();
    return frequency;
}
} // namespace

long long Stopwatch::Now() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value.QuadPart;
}

double Stopwatch::Between(long long from, long long to) {
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(Frequency());
}

void Stopwatch::Restart() { m_start = Now(); }

double Stopwatch::ElapsedMs() const { return Between(m_start, Now()); }

double Percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const double rank = std::ceil(p / 100.0 * static_cast<double>(samples.size()));
    const std::size_t index = rank < 1.0 ? 0 : static_cast<std::size_t>(rank) - 1;
    return samples[std::min(index, samples.size() - 1)];
}

double Median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t half = samples.size() / 2;
    return samples.size() % 2 != 0 ? samples[half] : (samples[half - 1] + samples[half]) / 2.0;
}
