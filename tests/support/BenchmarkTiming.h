// Timing for the benchmark programs: a monotonic clock in microseconds, and the median and the
// worst of a set of times.
#pragma once
#include <windows.h>
#include <algorithm>
#include <vector>

inline double NowUs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

struct TimeStats {
    double median, worst;
};

inline TimeStats StatsOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

// Times step() count times.
template <class F>
TimeStats Measure(int count, F step)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        double start = NowUs();
        step();
        times.push_back(NowUs() - start);
    }
    return StatsOf(times);
}
