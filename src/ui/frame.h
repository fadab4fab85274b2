#pragma once
#include "ui/control.h"

namespace orv::ui {

// A container with an optional caption on its top edge.
class Frame : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Frame; }

    const Text& caption() const { return caption_; }
    void setCaption(Text value);

  private:
    Text caption_;
};

}  // namespace orv::ui
