#include "support/scripted_color_picker.h"

namespace orv::test {

ScriptedColorPicker::ScriptedColorPicker(ColorPickerScript& script) : script_(script) {
    ++script_.created;
}

ScriptedColorPicker::~ScriptedColorPicker() {
    ++script_.destroyed;
}

void ScriptedColorPicker::Title(const automation::Text& title) {
    script_.calls.push_back("Title(" + automation::toUtf8(title) + ")");
}

void ScriptedColorPicker::InitialColor(const automation::Text& decimalDigits) {
    script_.calls.push_back("InitialColor(" + automation::toUtf8(decimalDigits) + ")");
}

void ScriptedColorPicker::Setting1(int32_t value) {
    script_.calls.push_back("Setting1(" + std::to_string(value) + ")");
}

void ScriptedColorPicker::Setting2(int32_t value) {
    script_.calls.push_back("Setting2(" + std::to_string(value) + ")");
}

void ScriptedColorPicker::Setting3(int32_t value) {
    script_.calls.push_back("Setting3(" + std::to_string(value) + ")");
}

int32_t ScriptedColorPicker::ChosenColor() {
    script_.calls.push_back("ChosenColor()");
    return script_.chosenColor;
}

void ScriptedColorPicker::ShowPicker() {
    script_.calls.push_back("ShowPicker()");
    if (script_.onShow) script_.onShow();
}

}  // namespace orv::test
