#pragma once
#include <cstdint>
#include <vector>

#include "ui/control.h"

namespace orv::ui {

// An editable combo box: a list, a selected position (-1 = none) and the text in its edit field.
class ComboBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::ComboBox; }
    bool takesFocus() const override { return true; }

    void clear();
    void addItem(Text item);
    const std::vector<Text>& items() const { return items_; }
    int32_t listCount() const { return static_cast<int32_t>(items_.size()); }

    int32_t listIndex() const { return listIndex_; }
    // -1 clears the selection; a position outside the list is error 380.
    void setListIndex(int32_t position);

    const Text& text() const { return text_; }
    // Selecting a position shows its item; a text set by code that differs from the field leaves no
    // selection.
    void setText(Text value);

    // The user typed over the text: no item is selected any more. Ignored when the control takes no input.
    void userTypes(Text value);
    // The user picked an item from the list (behind the event boundary).
    void userSelects(int32_t position);

  private:
    std::vector<Text> items_;
    int32_t listIndex_ = -1;
    Text text_;
};

}  // namespace orv::ui
