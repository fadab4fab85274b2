#pragma once
// The component's surroundings in a test: a headless toolkit, an in-memory placement store, the plain
// converter (replaceable), a scripted colour picker and a settable number locale.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation_error.h"
#include "collaborators/color_picker.h"
#include "collaborators/memory_placement_store.h"
#include "collaborators/plain_number_converter.h"
#include "dialog/dialog_services.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::test {

// Colour pickers whose calls go to one log ("create", "Title(Color capa:)", ..., "ShowPicker()", "release";
// a call told to fail is logged with " failed" after it); ChosenColor answers what the test chose.
class ScriptedColorPickerFactory : public collaborators::ColorPickerFactory {
  public:
    void choose(int32_t color) { chosen_ = color; }
    // The next creations fail with that error (the class cannot be created).
    void failCreation(automation::AutomationError error) { failAt("create", std::move(error)); }
    // Pickers fail when the named member is called ("Title", ..., "ShowPicker").
    void failAt(std::string member, automation::AutomationError error) {
        failing_ = std::move(member);
        error_ = std::move(error);
    }

    std::unique_ptr<collaborators::ColorPicker> create() override {
        log("create");
        ++alive_;
        return std::make_unique<Picker>(*this);
    }

    const std::vector<std::string>& calls() const { return calls_; }
    // Pickers not yet released.
    int alive() const { return alive_; }

  private:
    class Picker : public collaborators::ColorPicker {
      public:
        explicit Picker(ScriptedColorPickerFactory& factory) : f_(factory) {}
        ~Picker() override {
            f_.calls_.push_back("release");
            --f_.alive_;
        }
        void Title(const Text& t) override { f_.log("Title", automation::toUtf8(t)); }
        void InitialColor(const Text& t) override { f_.log("InitialColor", automation::toUtf8(t)); }
        void Setting1(int32_t v) override { f_.log("Setting1", std::to_string(v)); }
        void Setting2(int32_t v) override { f_.log("Setting2", std::to_string(v)); }
        void Setting3(int32_t v) override { f_.log("Setting3", std::to_string(v)); }
        int32_t ChosenColor() override { return f_.log("ChosenColor"), f_.chosen_; }
        void ShowPicker() override { f_.log("ShowPicker", ""); }

      private:
        ScriptedColorPickerFactory& f_;
    };

    // "member(arguments)", or the bare member name without arguments.
    void log(const std::string& member, std::optional<std::string> arguments = {}) {
        const std::string entry = arguments ? member + "(" + *arguments + ")" : member;
        if (error_ && member == failing_) {
            calls_.push_back(entry + " failed");
            throw *error_;
        }
        calls_.push_back(entry);
    }

    int32_t chosen_ = 0;
    std::string failing_;
    std::optional<automation::AutomationError> error_;
    std::vector<std::string> calls_;
    int alive_ = 0;
};

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
