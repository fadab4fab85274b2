#pragma once
#include "ui/label.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class LabelView : public ControlView {
  public:
    LabelView(FormWindow& owner, Label& model);
    void update(Property property) override;
    void dpiChanged() override;
    // A caption longer than the design width runs on to the right, as far as its container allows, rather
    // than being cut (the perimeter line is far longer than its label's design width).
    RECT placement() const override;
    // Drawn by us: the face colour over the whole rectangle, the caption in the model's font.
    bool drawItem(const DRAWITEMSTRUCT& item) override;

  private:
    Label& label_;
};

}  // namespace orv::ui::win32
