#pragma once
#include "ui/text_box.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class TextBoxView : public ControlView {
  public:
    TextBoxView(FormWindow& owner, TextBox& model);
    void update(Property property) override;
    void command(WORD code, WORD id) override;
    void focusFromKeyboard() override;

  private:
    TextBox& textBox_;
    // Set while the view writes the model's text, so that the edit's change notice is not taken for typing.
    bool writing_ = false;
};

}  // namespace orv::ui::win32
