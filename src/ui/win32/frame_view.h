#pragma once
#include "ui/frame.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class FrameView : public ControlView {
  public:
    FrameView(FormWindow& owner, Frame& model);
    void update(Property property) override;

  private:
    Frame& frame_;
};

}  // namespace orv::ui::win32
