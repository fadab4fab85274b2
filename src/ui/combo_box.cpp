#include "ui/combo_box.h"

#include <utility>

#include "automation/standard_errors.h"
#include "ui/event_boundary.h"
#include "ui/form.h"

namespace orv::ui {

void ComboBox::clear() {
    // Emptying the list empties the edit field too, as the platform's combo box does.
    items_.clear();
    listIndex_ = -1;
    changed(Property::List);
    changed(Property::ListIndex);
    if (!text_.empty()) {
        text_.clear();
        changed(Property::Text);
    }
}

void ComboBox::addItem(Text item) {
    items_.push_back(std::move(item));
    changed(Property::List);
}

void ComboBox::setListIndex(int32_t position) {
    if (position < -1 || position >= listCount())
        automation::raiseStandardError(automation::error_number::kInvalidPropertyValue);
    Text text = position >= 0 ? items_[static_cast<size_t>(position)] : Text();
    if (position != listIndex_) {
        listIndex_ = position;
        changed(Property::ListIndex);
    }
    if (text != text_) {
        text_ = std::move(text);
        changed(Property::Text);
    }
}

void ComboBox::setText(Text value) {
    if (value == text_) return;
    text_ = std::move(value);
    changed(Property::Text);
    if (listIndex_ != -1) {
        listIndex_ = -1;
        changed(Property::ListIndex);
    }
}

void ComboBox::userTypes(Text value) {
    if (!acceptsInput()) return;
    runEventHandler(form().toolkit(), [&] {
        // Typing over the field leaves no item selected, even when the text matches one.
        if (listIndex_ != -1) {
            listIndex_ = -1;
            changed(Property::ListIndex);
        }
        if (value != text_) {
            text_ = std::move(value);
            changed(Property::Text);
        }
    });
}

void ComboBox::userSelects(int32_t position) {
    if (!acceptsInput()) return;
    runEventHandler(form().toolkit(), [&] { setListIndex(position); });
}

}  // namespace orv::ui
