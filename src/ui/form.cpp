#include "ui/form.h"

#include <algorithm>
#include <utility>

#include "automation/standard_errors.h"
#include "ui/command_button.h"
#include "ui/event_boundary.h"
#include "ui/toolkit.h"
#include "ui/twips.h"

namespace orv::ui {

Form::Form(Toolkit& toolkit, std::string name, Text caption, BorderStyle border)
    : toolkit_(toolkit), name_(std::move(name)), caption_(std::move(caption)), border_(border) {}

Form::~Form() {
    if (loaded_) toolkit_.unload(*this);
}

Control* Form::find(std::string_view name, int16_t index) const {
    for (const auto& control : controls_)
        if (control->name() == name && control->index() == index) return control.get();
    return nullptr;
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (const auto& control : controls_)
        if (control->takesFocus()) order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

void Form::setCaption(Text value) {
    if (value == caption_) return;
    caption_ = std::move(value);
    formChanged(Property::Caption);
}

void Form::setLeft(double value) {
    setBounds(value, top_, width_, height_);
}
void Form::setTop(double value) {
    setBounds(left_, value, width_, height_);
}
void Form::setWidth(double value) {
    setBounds(left_, top_, value, height_);
}
void Form::setHeight(double value) {
    setBounds(left_, top_, width_, value);
}

void Form::setBounds(double left, double top, double width, double height) {
    const Twips l = toTwips(left), t = toTwips(top), w = toTwipsSize(width), h = toTwipsSize(height);
    const bool moved = l != left_ || t != top_;
    const bool sized = w != width_ || h != height_;
    if (!moved && !sized) return;
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
    formChanged(Property::Bounds);
    if (sized && loaded_ && !minimized_) resized();
}

Twips Form::clientWidth() const {
    return minimized_ ? 0 : std::max(Twips{0}, width_ - frameHorizontal_);
}
Twips Form::clientHeight() const {
    return minimized_ ? 0 : std::max(Twips{0}, height_ - frameVertical_);
}

void Form::setFrameThickness(double horizontal, double vertical) {
    frameHorizontal_ = toTwipsSize(horizontal);
    frameVertical_ = toTwipsSize(vertical);
}

void Form::setMinimized(bool value) {
    if (value == minimized_) return;
    minimized_ = value;
    formChanged(Property::Visible);
    if (loaded_) resized();
}

void Form::ensureLoaded() {
    if (loaded_) return;
    toolkit_.load(*this);
    loaded_ = true;
    if (onLoad) onLoad();
}

void Form::showModal() {
    if (shown_) automation::raiseStandardError(automation::error_number::kInvalidCall);
    ensureLoaded();
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        if (!minimized_) resized();
    }
    toolkit_.showModal(*this);
}

void Form::hide() {
    if (loaded_) toolkit_.hide(*this);
}

void Form::unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    // The window goes whether or not the handler fails: the close is never refused.
    struct Finish {
        Form& form;
        ~Finish() { form.finishUnload(); }
    } finish{*this};
    if (onUnload) onUnload();
}

void Form::finishUnload() noexcept {
    toolkit_.unload(*this);
    loaded_ = false;
    shown_ = false;
    shownSinceLoad_ = false;
    unloading_ = false;
    focus_ = nullptr;
}

void Form::userCloses() {
    runEventHandler(toolkit_, [this] { unload(); });
}

void Form::userResizes(double width, double height) {
    runEventHandler(toolkit_, [&] { setBounds(left_, top_, width, height); });
}

void Form::userMinimizes(bool minimized) {
    runEventHandler(toolkit_, [&] { setMinimized(minimized); });
}

void Form::userPressesEscape() {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<CommandButton*>(control.get());
        if (button && button->isCancel() && button->acceptsInput()) return button->click();
    }
}

void Form::setFocus(Control* control) {
    focus_ = control;
}

void Form::resized() {
    if (onResize) onResize();
}

void Form::formChanged(Property property) {
    if (onFormChanged) onFormChanged(property);
}

}  // namespace orv::ui
