#pragma once
// A colour picker double: answers what the test scripted and records every call.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation_error.h"
#include "collaborators/color_picker.h"

namespace orv::test {

struct ColorPickerScript {
    int32_t chosenColor = 0;  // what ChosenColor() answers
    // When set, creating a picker fails with this error.
    std::optional<automation::AutomationError> createError;
    // Runs inside ShowPicker, as the user choosing; may change chosenColor.
    std::function<void()> onShow;
    // Every call in order: "Title(Color de capa)", "InitialColor(255)", "Setting1(0)", "Setting2(0)",
    // "Setting3(0)", "ShowPicker()", "ChosenColor()".
    std::vector<std::string> calls;
    int created = 0;
    int destroyed = 0;
};

class ScriptedColorPicker : public collaborators::ColorPicker {
  public:
    explicit ScriptedColorPicker(ColorPickerScript& script);
    ~ScriptedColorPicker() override;

    void Title(const automation::Text& title) override;
    void InitialColor(const automation::Text& decimalDigits) override;
    void Setting1(int32_t value) override;
    void Setting2(int32_t value) override;
    void Setting3(int32_t value) override;
    int32_t ChosenColor() override;
    void ShowPicker() override;

  private:
    ColorPickerScript& script_;
};

}  // namespace orv::test
