#pragma once
// The portable placement store: placements kept in memory (and, for a file-backed store, in a file), each one
// brought back on screen when restored.
#include <map>
#include <utility>

#include "collaborators/form_placement_store.h"
#include "collaborators/screen_area.h"

namespace orv::collaborators {

struct Placement {
    double left, top, width, height;
    bool operator==(const Placement&) const = default;
};

// A placement moved so that it lies on the nearest work area (whole, when it fits).
Placement keepOnScreen(const Placement& placement, const std::vector<ScreenRect>& workAreas);

class MemoryPlacementStore : public FormPlacementStore {
public:
    explicit MemoryPlacementStore(const ScreenArea* screens = nullptr) : screens_(screens) {}

    void RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key, int32_t left, int32_t top,
                                 int32_t width, int32_t height) override;
    void RestorePlacement(ui::Form& form, const Text& section, const Text& key) override;
    void StorePlacement(ui::Form& form, const Text& section, const Text& key) override;

    // For tests: what is stored under a pair.
    const Placement* stored(const Text& section, const Text& key) const;
    void store(const Text& section, const Text& key, Placement placement);

private:
    Placement onScreen(Placement placement) const;

    const ScreenArea* screens_;
    std::map<std::pair<Text, Text>, Placement> placements_;
};

}  // namespace orv::collaborators
