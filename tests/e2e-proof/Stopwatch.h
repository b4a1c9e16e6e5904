#pragma once
#include <vector>

// Wall-clock time from the performance counter, in milliseconds.
class Stopwatch {
public:
    Stopwatch() { Restart(); }
    void Restart();
    double ElapsedMs() const;

    // The counter now and the milliseconds between two readings of it.
    static long long Now();
    static double Between(long long from, long long to);

private:
    long long m_start = 0;
};

// The middle value and the p-th percentile (nearest rank) of some timings.
double Median(std::vector<double> samples);
double Percentile(std::vector<double> samples, double p);
