#pragma once
// The host's survey drawing: numbered points, named layers and polylines of point numbers. Point p and layer
// k live at index p - 1 and k - 1; a point's layer 0 means "no layer".
#include <cstdint>
#include <string>
#include <vector>

namespace orv::host {

struct SurveyPoint {
    std::wstring name;
    double x = 0, y = 0, z = 0;
    std::wstring code;
    int16_t layer = 0;
    bool operator==(const SurveyPoint&) const = default;
};

struct Polyline {
    int16_t layer = 1;
    // Red in the low byte, then green, then blue, as the component's colours are.
    int32_t colour = 0;
    std::vector<int32_t> points;
    bool operator==(const Polyline&) const = default;
};

struct Drawing {
    std::vector<std::wstring> layers;
    std::vector<SurveyPoint> points;
    std::vector<Polyline> polylines;
    bool operator==(const Drawing&) const = default;

    int32_t pointCount() const { return static_cast<int32_t>(points.size()); }
    int32_t polylineCount() const { return static_cast<int32_t>(polylines.size()); }
    const SurveyPoint& point(int32_t number) const { return points[static_cast<size_t>(number - 1)]; }
    bool hasPoint(int32_t number) const { return number >= 1 && number <= pointCount(); }
    bool hasPolyline(int32_t number) const { return number >= 1 && number <= polylineCount(); }
    Polyline& polyline(int32_t number) { return polylines[static_cast<size_t>(number - 1)]; }
    const Polyline& polyline(int32_t number) const { return polylines[static_cast<size_t>(number - 1)]; }
};

}  // namespace orv::host
