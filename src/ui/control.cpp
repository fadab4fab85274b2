#include "ui/control.h"

#include <utility>

#include "ui/form.h"
#include "ui/twips.h"

namespace orv::ui {

Control::Control(Form& form, std::string name, int16_t index, Control* parent)
    : form_(form), name_(std::move(name)), index_(index), parent_(parent) {}

void Control::setLeft(double value) {
    const Twips left = toTwips(value);
    if (left == left_) return;
    left_ = left;
    changed(Property::Bounds);
}

void Control::setTop(double value) {
    const Twips top = toTwips(value);
    if (top == top_) return;
    top_ = top;
    changed(Property::Bounds);
}

void Control::setWidth(double value) {
    const Twips width = toTwipsSize(value);
    if (width == width_) return;
    width_ = width;
    changed(Property::Bounds);
}

void Control::setHeight(double value) {
    const Twips height = toTwipsSize(value);
    if (height == height_) return;
    height_ = height;
    changed(Property::Bounds);
}

void Control::setBounds(double left, double top, double width, double height) {
    // All four are checked before any is taken, so a refused size leaves the control where it was.
    const Twips l = toTwips(left), t = toTwips(top), w = toTwipsSize(width), h = toTwipsSize(height);
    if (l == left_ && t == top_ && w == width_ && h == height_) return;
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
    changed(Property::Bounds);
}

void Control::setVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    changed(Property::Visible);
}

void Control::setEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    changed(Property::Enabled);
}

void Control::setBold(bool value) {
    if (value == bold_) return;
    bold_ = value;
    changed(Property::Font);
}

void Control::setToolTip(Text value) {
    if (value == toolTip_) return;
    toolTip_ = std::move(value);
    changed(Property::ToolTip);
}

bool Control::acceptsInput() const {
    for (const Control* control = this; control; control = control->parent())
        if (!control->enabled() || !control->visible()) return false;
    return true;
}

void Control::changed(Property property) {
    if (ControlObserver* observer = form_.observer()) observer->controlChanged(*this, property);
}

}  // namespace orv::ui
