// The measuring programs' clock: QueryPerformanceCounter in milliseconds.
#pragma once

#include <windows.h>

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

}  // namespace numvora::bench
