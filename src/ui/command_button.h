#pragma once
#include <cstdint>
#include <functional>

#include "ui/control.h"

namespace orv::ui {

class CommandButton : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::CommandButton; }
    bool takesFocus() const override { return true; }

    const Text& caption() const { return caption_; }
    void setCaption(Text value);
    // Colour value 0x00BBGGRR; shown only in graphical style.
    int32_t backColor() const { return backColor_; }
    void setBackColor(int32_t value);
    bool graphical() const { return graphical_; }
    void setGraphical(bool value) { graphical_ = value; }
    // The cancel button answers Esc.
    bool isCancel() const { return cancel_; }
    void setCancel(bool value) { cancel_ = value; }

    // A click by the user (mouse, space, Esc on the cancel button): runs onClick behind the event boundary. A
    // button that takes no input (disabled or hidden, itself or a container) ignores it.
    void click();

    std::function<void()> onClick;

  private:
    Text caption_;
    int32_t backColor_ = 0x00C0C0C0;
    bool graphical_ = false;
    bool cancel_ = false;
};

}  // namespace orv::ui
