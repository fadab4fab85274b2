#pragma once
#include "ui/control.h"

namespace orv::ui {

class Label : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Label; }

    const Text& caption() const { return caption_; }
    void setCaption(Text value);

  private:
    Text caption_;
};

}  // namespace orv::ui
