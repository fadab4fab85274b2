#include "dialog/win32/win32_services.h"

#include "collaborators/plain_number_converter.h"
#include "collaborators/win32/system_color_picker.h"

namespace orv::dialog::win32 {

Win32Services::Win32Services() = default;
Win32Services::~Win32Services() = default;

collaborators::FormPlacementStore& Win32Services::placementStore() {
    if (!placements_) placements_ = std::make_unique<collaborators::win32::RegistryPlacementStore>(screens_);
    return *placements_;
}

collaborators::NumberTextConverter& Win32Services::converter() {
    if (!converter_) converter_ = std::make_unique<collaborators::PlainNumberConverter>(numberLocale());
    return *converter_;
}

std::unique_ptr<collaborators::ColorPicker> Win32Services::createColorPicker() {
    return std::make_unique<collaborators::win32::SystemColorPicker>(&toolkit_.visualStyles());
}

automation::NumberLocale Win32Services::numberLocale() {
    return automation::NumberLocale::user();
}

}  // namespace orv::dialog::win32
