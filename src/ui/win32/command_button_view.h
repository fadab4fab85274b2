#pragma once
#include "ui/command_button.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class CommandButtonView : public ControlView {
  public:
    CommandButtonView(FormWindow& owner, CommandButton& model);
    void update(Property property) override;
    void command(WORD code, WORD id) override;
    // The graphical style paints the button's back colour over its whole face.
    bool drawItem(const DRAWITEMSTRUCT& item) override;

  private:
    CommandButton& button_;
};

}  // namespace orv::ui::win32
