#include "collaborators/memory_placement_store.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/form.h"

namespace orv::collaborators {

namespace {

bool overlaps(const Placement& p, const ScreenRect& area) {
    return p.left < area.left + area.width && area.left < p.left + p.width &&
           p.top < area.top + area.height && area.top < p.top + p.height;
}

// The gap between the placement and the area, 0 when they touch.
double distance(const Placement& p, const ScreenRect& area) {
    const double dx = std::max({0.0, area.left - (p.left + p.width), p.left - (area.left + area.width)});
    const double dy = std::max({0.0, area.top - (p.top + p.height), p.top - (area.top + area.height)});
    return std::hypot(dx, dy);
}

// One axis: inside the area when it fits, else aligned with the area's start so that the caption is
// reachable.
double moveInto(double start, double size, double areaStart, double areaSize) {
    if (size > areaSize) return areaStart;
    return std::clamp(start, areaStart, areaStart + areaSize - size);
}

}  // namespace

Placement keepOnScreen(const Placement& placement, const std::vector<ScreenRect>& workAreas) {
    if (workAreas.empty()) return placement;
    if (std::any_of(workAreas.begin(), workAreas.end(),
                    [&](const ScreenRect& a) { return overlaps(placement, a); }))
        return placement;
    const ScreenRect* nearest = &workAreas.front();
    double best = std::numeric_limits<double>::infinity();
    for (const ScreenRect& area : workAreas) {
        const double d = distance(placement, area);
        if (d < best) {
            best = d;
            nearest = &area;
        }
    }
    Placement moved = placement;
    moved.left = moveInto(placement.left, placement.width, nearest->left, nearest->width);
    moved.top = moveInto(placement.top, placement.height, nearest->top, nearest->height);
    return moved;
}

void MemoryPlacementStore::RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key,
                                                   int32_t left, int32_t top, int32_t width, int32_t height) {
    const Placement* saved = stored(section, key);
    const Placement p =
        onScreen(saved ? *saved : Placement{double(left), double(top), double(width), double(height)});
    form.setBounds(p.left, p.top, p.width, p.height);
}

void MemoryPlacementStore::RestorePlacement(ui::Form& form, const Text& section, const Text& key) {
    const Placement* saved = stored(section, key);
    if (!saved) return;
    const Placement p = onScreen({saved->left, saved->top, form.width(), form.height()});
    form.setBounds(p.left, p.top, form.width(), form.height());
}

void MemoryPlacementStore::StorePlacement(ui::Form& form, const Text& section, const Text& key) {
    store(section, key, {form.left(), form.top(), form.width(), form.height()});
}

const Placement* MemoryPlacementStore::stored(const Text& section, const Text& key) const {
    const auto found = placements_.find({section, key});
    return found == placements_.end() ? nullptr : &found->second;
}

void MemoryPlacementStore::store(const Text& section, const Text& key, Placement placement) {
    placements_[{section, key}] = placement;
}

Placement MemoryPlacementStore::onScreen(Placement placement) const {
    return screens_ ? keepOnScreen(placement, screens_->workAreas()) : placement;
}

}  // namespace orv::collaborators
