#pragma once
// Placements in the current user's registry: HKCU\Software\Orv_Pol_edit\<section>\<key>, the values Left,
// Top, Width and Height in twips. A placement read back is moved onto the nearest monitor's work area when it
// would leave the window off every screen (a monitor unplugged, the resolution lowered).
#include <optional>
#include <string>

#include "collaborators/form_placement_store.h"
#include "collaborators/memory_placement_store.h"
#include "collaborators/screen_area.h"

namespace orv::collaborators::win32 {

class RegistryPlacementStore : public FormPlacementStore {
  public:
    explicit RegistryPlacementStore(const ScreenArea& screens, std::wstring root = L"Software\\Orv_Pol_edit");

    void RestorePlacementAndSize(ui::Form& form, const Text& section, const Text& key, int32_t left,
                                 int32_t top, int32_t width, int32_t height) override;
    void RestorePlacement(ui::Form& form, const Text& section, const Text& key) override;
    void StorePlacement(ui::Form& form, const Text& section, const Text& key) override;

    std::optional<Placement> stored(const Text& section, const Text& key) const;
    void store(const Text& section, const Text& key, const Placement& placement);

  private:
    std::wstring keyPath(const Text& section, const Text& key) const;

    const ScreenArea& screens_;
    std::wstring root_;
};

}  // namespace orv::collaborators::win32
