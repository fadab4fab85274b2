#include "ui/label.h"

#include <utility>

namespace orv::ui {

void Label::setCaption(Text value) {
    if (value == caption_) return;
    caption_ = std::move(value);
    changed(Property::Caption);
}

}  // namespace orv::ui
