#pragma once
// The component's surroundings in a test: a headless toolkit, an in-memory placement store, the plain
// converter (replaceable), a scripted colour picker and a settable number locale.
#include <memory>

#include "collaborators/memory_placement_store.h"
#include "collaborators/plain_number_converter.h"
#include "dialog/dialog_services.h"
#include "support/scripted_color_picker.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::test {

class TestServices : public dialog::DialogServices {
  public:
    ui::Toolkit& toolkit() override { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override {
        return placementStore_ ? *placementStore_ : placements_;
    }
    collaborators::NumberTextConverter& converter() override {
        return converter_ ? *converter_ : plainConverter_;
    }
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override { return pickers_.create(); }
    automation::NumberLocale numberLocale() override { return locale_; }

    ui::HeadlessToolkit& headless() { return toolkit_; }
    collaborators::MemoryPlacementStore& placements() { return placements_; }
    // Replace the plain converter / the in-memory store (null puts it back).
    void setConverter(std::unique_ptr<collaborators::NumberTextConverter> converter) {
        converter_ = std::move(converter);
    }
    void setPlacementStore(std::unique_ptr<collaborators::FormPlacementStore> store) {
        placementStore_ = std::move(store);
    }
    // The locale the table reads its cells with; the plain converter keeps the default ".".
    void setNumberLocale(automation::NumberLocale locale) { locale_ = locale; }
    // Every picker the editor makes comes from here.
    ScriptedColorPickerFactory& colorPickers() { return pickers_; }

  private:
    ui::HeadlessToolkit toolkit_;
    collaborators::MemoryPlacementStore placements_;
    std::unique_ptr<collaborators::FormPlacementStore> placementStore_;
    collaborators::PlainNumberConverter plainConverter_;
    std::unique_ptr<collaborators::NumberTextConverter> converter_;
    ScriptedColorPickerFactory pickers_;
    automation::NumberLocale locale_;
};

}  // namespace orv::test
