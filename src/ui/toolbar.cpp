#include "ui/toolbar.h"

#include <algorithm>
#include <utility>

#include "ui/event_boundary.h"
#include "ui/form.h"

namespace orv::ui {

void Toolbar::setImages(std::vector<ToolbarImage> images, uint32_t maskColor) {
    images_ = std::move(images);
    maskColor_ = maskColor;
    changed(Property::Content);
}

void Toolbar::addButton(Text key, int imageIndex) {
    buttons_.push_back(ToolbarButton{std::move(key), imageIndex});
    changed(Property::Content);
}

void Toolbar::click(const Text& key) {
    if (!acceptsInput() || !onButtonClick) return;
    const auto found = std::find_if(buttons_.begin(), buttons_.end(),
                                    [&](const ToolbarButton& button) { return button.key == key; });
    if (found == buttons_.end()) return;
    // Copies: the handler may change the buttons or the handler itself while it runs.
    const ToolbarButton button = *found;
    const std::function<void(const ToolbarButton&)> handler = onButtonClick;
    runEventHandler(form().toolkit(), [&] { handler(button); });
}

}  // namespace orv::ui
