#pragma once
// The built-in colour picker: the system colour dialog, captioned with Title and starting from InitialColor.
// Closing it without choosing leaves ChosenColor at the initial colour.
#include <windows.h>

#include "collaborators/color_picker.h"

namespace orv::ui::win32 {
class VisualStyles;
}

namespace orv::collaborators::win32 {

class SystemColorPicker : public ColorPicker {
  public:
    explicit SystemColorPicker(const ui::win32::VisualStyles* styles = nullptr) : styles_(styles) {}

    void Title(const Text& title) override { title_ = title; }
    void InitialColor(const Text& decimalDigits) override;
    // What the installed picker's three settings select has no counterpart in the system dialog.
    void Setting1(int32_t) override {}
    void Setting2(int32_t) override {}
    void Setting3(int32_t) override {}
    int32_t ChosenColor() override { return chosen_; }
    void ShowPicker() override;

  private:
    const ui::win32::VisualStyles* styles_;
    Text title_;
    int32_t initial_ = 0;
    int32_t chosen_ = 0;
    COLORREF custom_[16] = {};
};

}  // namespace orv::collaborators::win32
