#pragma once
#include "ui/combo_box.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

// An editable combo box: the list and the selected position come from the model; typing over the text and
// picking from the list go to the model's user paths.
class ComboBoxView : public ControlView {
  public:
    ComboBoxView(FormWindow& owner, ComboBox& model);
    void update(Property property) override;
    void command(WORD code, WORD id) override;
    bool wantsKey(const MSG& message) const override;
    void focusFromKeyboard() override;
    // The window reaches below the field by the height of its drop-down list.
    RECT placement() const override;

  private:
    void fillList();
    void showSelection();
    void showText();

    ComboBox& combo_;
};

}  // namespace orv::ui::win32
