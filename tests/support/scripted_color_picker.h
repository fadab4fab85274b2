#pragma once
// A colour picker for the tests: every member call is written to one log shared by all pickers of a factory,
// in order ("create", "Title(Color capa:)", "InitialColor(255)", "Setting1(0)", ..., "ShowPicker()",
// "ChosenColor", "release"); ChosenColor answers what the test chose; creation or any one member can be told
// to fail.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation_error.h"
#include "collaborators/color_picker.h"

namespace orv::test {

class ScriptedColorPickerFactory : public collaborators::ColorPickerFactory {
  public:
    // The colour every picker made from now on answers.
    void choose(int32_t color) { chosen_ = color; }
    // The next creations fail with that error (the class cannot be created) until cleared.
    void failCreation(automation::AutomationError error) { creationError_ = std::move(error); }
    // Pickers fail when the named member is called ("Title", "InitialColor", "Setting1", "Setting2",
    // "Setting3", "ChosenColor", "ShowPicker"); the failed call is logged too, with " failed" after it.
    void failAt(std::string member, automation::AutomationError error);

    std::unique_ptr<collaborators::ColorPicker> create() override;

    const std::vector<std::string>& calls() const { return calls_; }
    int created() const { return created_; }
    // Pickers not yet released.
    int alive() const { return alive_; }

  private:
    friend class ScriptedColorPicker;
    int32_t chosen_ = 0;
    std::optional<automation::AutomationError> creationError_;
    std::string failingMember_;
    std::optional<automation::AutomationError> memberError_;
    std::vector<std::string> calls_;
    int created_ = 0;
    int alive_ = 0;
};

class ScriptedColorPicker : public collaborators::ColorPicker {
  public:
    explicit ScriptedColorPicker(ScriptedColorPickerFactory& factory) : factory_(factory) {}
    ~ScriptedColorPicker() override;

    void Title(const automation::Text& title) override;
    void InitialColor(const automation::Text& decimalDigits) override;
    void Setting1(int32_t value) override;
    void Setting2(int32_t value) override;
    void Setting3(int32_t value) override;
    int32_t ChosenColor() override;
    void ShowPicker() override;

  private:
    void call(const std::string& member, const std::string& entry);

    ScriptedColorPickerFactory& factory_;
};

}  // namespace orv::test
