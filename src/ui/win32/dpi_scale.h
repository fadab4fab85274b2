#pragma once
// Twips and pixels at one DPI. Both edges of a rectangle are converted from twips, so that adjacent controls
// keep their gaps exact instead of accumulating rounding.
#include <cmath>

namespace orv::ui::win32 {

struct DpiScale {
    unsigned dpi = 96;

    int pixels(double twips) const { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
    double twips(int pixels) const { return pixels * 1440.0 / dpi; }
    // A length in pixels that is `length` at 96 DPI.
    int scaled(int length) const { return static_cast<int>(std::lround(length * dpi / 96.0)); }
};

}  // namespace orv::ui::win32
