#pragma once
// The timing harness of the programs that run under wine64: a high-resolution clock, medians of repeated
// runs, and one result per line on standard output for bench/write_results.py.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace orv::bench {

inline double nowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / perMs;
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One measured value: "name", the size it was taken at, and the value in its unit.
inline void report(const std::string& name, long long size, double value, const char* unit) {
    std::printf("{\"name\": \"%s\", \"size\": %lld, \"value\": %.6f, \"unit\": \"%s\"}\n", name.c_str(), size,
                value, unit);
    std::fflush(stdout);
}

}  // namespace orv::bench
