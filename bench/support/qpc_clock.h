// The measuring programs' clock (QueryPerformanceCounter in milliseconds), a step
// timed with it, and a series of such times reported.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace numvora::bench {

inline double now_ms() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / ticks_per_ms;
}

template <class Step>
double timed(Step step) {
    const double start = now_ms();
    step();
    return now_ms() - start;
}

inline void report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s runs %3zu  median %10.3f ms  min %10.3f ms  max %10.3f ms\n", name, ms.size(), ms[ms.size() / 2],
                ms.front(), ms.back());
    std::fflush(stdout);
}

}  // namespace numvora::bench
