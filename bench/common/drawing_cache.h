#pragma once
// One drawing per size for the whole run: every benchmark of a size works on the same data.
#include <map>
#include <memory>

#include "common/bench_drawing.h"

namespace orv::bench {

inline BenchDrawing& drawingOf(int32_t n) {
    static std::map<int32_t, std::unique_ptr<BenchDrawing>> drawings;
    auto& slot = drawings[n];
    if (!slot) slot = std::make_unique<BenchDrawing>(n);
    return *slot;
}

}  // namespace orv::bench
