#include "support/scripted_color_picker.h"

namespace orv::test {

void ScriptedColorPickerFactory::failAt(std::string member, automation::AutomationError error) {
    failingMember_ = std::move(member);
    memberError_ = std::move(error);
}

std::unique_ptr<collaborators::ColorPicker> ScriptedColorPickerFactory::create() {
    if (creationError_) {
        calls_.push_back("create failed");
        throw *creationError_;
    }
    calls_.push_back("create");
    ++created_;
    ++alive_;
    return std::make_unique<ScriptedColorPicker>(*this);
}

ScriptedColorPicker::~ScriptedColorPicker() {
    factory_.calls_.push_back("release");
    --factory_.alive_;
}

void ScriptedColorPicker::Title(const automation::Text& title) {
    call("Title", "Title(" + automation::toUtf8(title) + ")");
}

void ScriptedColorPicker::InitialColor(const automation::Text& decimalDigits) {
    call("InitialColor", "InitialColor(" + automation::toUtf8(decimalDigits) + ")");
}

void ScriptedColorPicker::Setting1(int32_t value) {
    call("Setting1", "Setting1(" + std::to_string(value) + ")");
}
void ScriptedColorPicker::Setting2(int32_t value) {
    call("Setting2", "Setting2(" + std::to_string(value) + ")");
}
void ScriptedColorPicker::Setting3(int32_t value) {
    call("Setting3", "Setting3(" + std::to_string(value) + ")");
}

int32_t ScriptedColorPicker::ChosenColor() {
    call("ChosenColor", "ChosenColor");
    return factory_.chosen_;
}

void ScriptedColorPicker::ShowPicker() {
    call("ShowPicker", "ShowPicker()");
}

void ScriptedColorPicker::call(const std::string& member, const std::string& entry) {
    if (factory_.memberError_ && member == factory_.failingMember_) {
        factory_.calls_.push_back(entry + " failed");
        throw *factory_.memberError_;
    }
    factory_.calls_.push_back(entry);
}

}  // namespace orv::test
