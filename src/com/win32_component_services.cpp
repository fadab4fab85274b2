#include "com/win32_component_services.h"

#include "com/installed_color_picker.h"
#include "com/installed_number_converter.h"
#include "com/installed_placement_store.h"
#include "ui/win32/form_window.h"

namespace orv::com {
namespace {

// The classes of the installation, as its contract identifies them.
constexpr CLSID kFormPlacementStore = {
    0x54E79B87, 0xA5F1, 0x42BB, {0xA9, 0x97, 0x8F, 0xFE, 0xD1, 0xF8, 0x12, 0x0F}};
constexpr CLSID kNumberTextConverter = {
    0x55F34066, 0x7C08, 0x4DAD, {0x93, 0x36, 0x43, 0x79, 0x09, 0x7E, 0x70, 0x0A}};
constexpr CLSID kColorPicker = {0x0FAFBCDC, 0x7163, 0x4F1E, {0x9A, 0x11, 0xE3, 0x53, 0x4E, 0xEC, 0xC4, 0x2D}};

}  // namespace

Win32ComponentServices::Win32ComponentServices() = default;
Win32ComponentServices::~Win32ComponentServices() = default;

ui::Toolkit& Win32ComponentServices::toolkit() {
    return own_.toolkit();
}

collaborators::FormPlacementStore& Win32ComponentServices::placementStore() {
    if (!storeChosen_) {
        storeChosen_ = true;
        if (auto installed = DispatchObject::create(kFormPlacementStore)) {
            ui::win32::Win32Toolkit& toolkit = own_.win32Toolkit();
            installedStore_ = std::make_unique<InstalledPlacementStore>(
                std::move(installed), [&toolkit](const ui::Form& form) -> HWND {
                    ui::win32::FormWindow* window = toolkit.windowOf(form);
                    return window ? window->hwnd() : nullptr;
                });
        }
    }
    return installedStore_ ? *installedStore_ : own_.placementStore();
}

collaborators::NumberTextConverter& Win32ComponentServices::converter() {
    if (!converterChosen_) {
        converterChosen_ = true;
        if (auto installed = DispatchObject::create(kNumberTextConverter))
            installedConverter_ = std::make_unique<InstalledNumberConverter>(std::move(installed));
    }
    return installedConverter_ ? *installedConverter_ : own_.converter();
}

std::unique_ptr<collaborators::ColorPicker> Win32ComponentServices::createColorPicker() {
    if (auto installed = DispatchObject::create(kColorPicker))
        return std::make_unique<InstalledColorPicker>(std::move(installed));
    return own_.createColorPicker();
}

automation::NumberLocale Win32ComponentServices::numberLocale() {
    return own_.numberLocale();
}

}  // namespace orv::com
