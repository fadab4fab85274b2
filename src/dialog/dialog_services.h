#pragma once
// What a dialog needs of its surroundings: a toolkit and the collaborators of the installation. The placement
// store and the converter are each created once, on first use, and kept; a colour picker lives for one click.
#include <memory>

#include "automation/number_locale.h"
#include "collaborators/color_picker.h"
#include "collaborators/form_placement_store.h"
#include "collaborators/number_text_converter.h"
#include "ui/toolkit.h"

namespace orv::dialog {

class DialogServices {
  public:
    virtual ~DialogServices() = default;
    virtual ui::Toolkit& toolkit() = 0;
    virtual collaborators::FormPlacementStore& placementStore() = 0;
    virtual collaborators::NumberTextConverter& converter() = 0;
    // A new picker; may fail with an AutomationError.
    virtual std::unique_ptr<collaborators::ColorPicker> createColorPicker() = 0;
    // The user's number settings, read by the table's locale number reading.
    virtual automation::NumberLocale numberLocale() = 0;
};

}  // namespace orv::dialog
