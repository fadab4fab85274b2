#pragma once
// The services of the component inside a Windows host. Where the installation registers its own placement
// store, converter or colour picker they are used through their dispatch interfaces by member name, failures
// included; only where none is registered or it cannot be made do the component's own Windows services take
// their place. The placement store and the converter are chosen on first use and kept.
#include <memory>

#include "dialog/dialog_services.h"
#include "dialog/win32/win32_services.h"

namespace orv::com {

class Win32ComponentServices final : public dialog::DialogServices {
  public:
    Win32ComponentServices();
    ~Win32ComponentServices() override;

    ui::Toolkit& toolkit() override;
    collaborators::FormPlacementStore& placementStore() override;
    collaborators::NumberTextConverter& converter() override;
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override;
    automation::NumberLocale numberLocale() override;

  private:
    dialog::win32::Win32Services own_;
    std::unique_ptr<collaborators::FormPlacementStore> installedStore_;
    std::unique_ptr<collaborators::NumberTextConverter> installedConverter_;
    bool storeChosen_ = false;
    bool converterChosen_ = false;
};

}  // namespace orv::com
