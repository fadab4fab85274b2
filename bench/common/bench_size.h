#pragma once
// Sizes and repetitions as stated in the results; ORV_BENCH_TINY=1 shrinks them a thousandfold so that the
// test suite can run every benchmark once just to see that it still builds and works.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace orv::bench {

inline bool tinyRun() {
    const char* tiny = std::getenv("ORV_BENCH_TINY");
    return tiny != nullptr && std::strcmp(tiny, "1") == 0;
}

inline int32_t sized(int32_t n) {
    return tinyRun() ? std::max(n / 1000, 10) : n;
}

inline int64_t repeated(int64_t times) {
    return tinyRun() ? std::max<int64_t>(times / 1000, 1) : times;
}

}  // namespace orv::bench
