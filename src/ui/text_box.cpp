#include "ui/text_box.h"

#include <utility>

#include "ui/event_boundary.h"
#include "ui/form.h"

namespace orv::ui {

void TextBox::setText(Text value) {
    if (value == text_) return;
    text_ = std::move(value);
    changed(Property::Text);
    if (onChange) onChange();
}

void TextBox::userTypes(Text value) {
    if (!acceptsInput()) return;
    runEventHandler(form().toolkit(), [&] { setText(std::move(value)); });
}

}  // namespace orv::ui
