#pragma once
// Large drawings to show scale: a grid of square parcels, each a closed polyline over shared corners.
#include <cstdint>

#include "drawing.h"

namespace orv::host {

// About `points` points (at least 4), in the same projected system as the sample.
Drawing generateDrawing(int32_t points);

}  // namespace orv::host
