#include "ui/command_button.h"

#include <utility>

#include "ui/event_boundary.h"
#include "ui/form.h"

namespace orv::ui {

void CommandButton::setCaption(Text value) {
    if (value == caption_) return;
    caption_ = std::move(value);
    changed(Property::Caption);
}

void CommandButton::setBackColor(int32_t value) {
    if (value == backColor_) return;
    backColor_ = value;
    changed(Property::BackColor);
}

void CommandButton::click() {
    if (!acceptsInput() || !onClick) return;
    // A copy: the handler may replace onClick while it runs.
    const std::function<void()> handler = onClick;
    runEventHandler(form().toolkit(), handler);
}

}  // namespace orv::ui
