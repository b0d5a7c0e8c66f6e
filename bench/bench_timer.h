// Timing helpers of the benchmark programs: a stopwatch on the performance counter and the
// median and best of repeated measurements.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// Milliseconds since the stopwatch was made.
class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Milliseconds() const {
        LARGE_INTEGER now{}, frequency{};
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_{};
};

// Median and best of a set of timings in milliseconds.
struct Timings {
    double median = 0;
    double best = 0;
};

inline Timings Summarize(std::vector<double> samples) {
    Timings result;
    if (samples.empty()) return result;
    std::sort(samples.begin(), samples.end());
    result.best = samples.front();
    const size_t middle = samples.size() / 2;
    result.median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    return result;
}
