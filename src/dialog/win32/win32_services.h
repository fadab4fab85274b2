#pragma once
// What the component uses on Windows when the installation offers nothing of its own: the Win32 toolkit,
// placements in the registry, the component's own converter with the user's decimal separator, the system
// colour dialog.
#include <memory>

#include "collaborators/win32/monitor_screen_area.h"
#include "collaborators/win32/registry_placement_store.h"
#include "dialog/dialog_services.h"
#include "ui/win32/win32_toolkit.h"

namespace orv::dialog::win32 {

class Win32Services : public DialogServices {
  public:
    Win32Services();
    ~Win32Services() override;

    ui::Toolkit& toolkit() override { return toolkit_; }
    ui::win32::Win32Toolkit& win32Toolkit() { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override;
    collaborators::NumberTextConverter& converter() override;
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override;
    automation::NumberLocale numberLocale() override;

  private:
    ui::win32::Win32Toolkit toolkit_;
    collaborators::win32::MonitorScreenArea screens_;
    std::unique_ptr<collaborators::win32::RegistryPlacementStore> placements_;
    std::unique_ptr<collaborators::NumberTextConverter> converter_;
};

}  // namespace orv::dialog::win32
