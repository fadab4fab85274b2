#pragma once
// Colour pickers whose calls go to one log ("create", "Title(Color capa:)", ..., "ShowPicker()",
// "ChosenColor", "release"; a call told to fail is logged with " failed" after it); ChosenColor answers what
// the test chose.
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

}  // namespace orv::test
