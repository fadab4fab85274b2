#pragma once
#include <functional>

#include "ui/control.h"

namespace orv::ui {

class TextBox : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::TextBox; }
    bool takesFocus() const override { return true; }

    const Text& text() const { return text_; }
    // Sets the text; the change handler runs, synchronously, only when the text really changes. Errors of the
    // handler reach the caller, as they do when code assigns a text box's text.
    void setText(Text value);

    // What the user typed (a view or a test): the same change, behind the event boundary. Ignored when the
    // control takes no input (disabled or hidden, itself or a container).
    void userTypes(Text value);

    std::function<void()> onChange;

  private:
    Text text_;
};

}  // namespace orv::ui
