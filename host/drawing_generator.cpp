#include "drawing_generator.h"

#include <algorithm>
#include <cmath>

namespace orv::host {

Drawing generateDrawing(int32_t points) {
    constexpr double kEast = 430000.0, kNorth = 4470000.0, kSide = 25.0;
    const auto side = static_cast<int32_t>(std::max(2.0, std::floor(std::sqrt(static_cast<double>(points)))));
    Drawing drawing;
    drawing.layers = {L"Lindes", L"Relieve"};
    drawing.points.reserve(static_cast<size_t>(side) * static_cast<size_t>(side));
    for (int32_t row = 0; row < side; ++row) {
        for (int32_t column = 0; column < side; ++column) {
            // A little irregularity, in whole millimetres, so that precision shows.
            const double dx = ((row * 7919 + column * 104729) % 1000) / 1000.0;
            const double dy = ((row * 104729 + column * 7919) % 1000) / 1000.0;
            SurveyPoint point;
            point.name = L"G" + std::to_wstring(row + 1) + L"." + std::to_wstring(column + 1);
            point.x = kEast + column * kSide + dx;
            point.y = kNorth + row * kSide + dy;
            point.z = std::round((600.0 + 0.01 * row + 0.02 * column) * 1000.0) / 1000.0;
            point.code = L"LINDE";
            point.layer = 1;
            drawing.points.push_back(std::move(point));
        }
    }
    auto number = [side](int32_t row, int32_t column) { return row * side + column + 1; };
    static constexpr int32_t kColours[] = {0x0000C0, 0x0060E0, 0xA000A0, 0xC06000, 0x808000};
    for (int32_t row = 0; row + 1 < side; ++row) {
        for (int32_t column = 0; column + 1 < side; ++column) {
            Polyline parcel;
            parcel.layer = 1;
            parcel.colour = kColours[(row + column) % 5];
            parcel.points = {number(row, column), number(row, column + 1), number(row + 1, column + 1),
                             number(row + 1, column), number(row, column)};
            drawing.polylines.push_back(std::move(parcel));
        }
    }
    return drawing;
}

}  // namespace orv::host
