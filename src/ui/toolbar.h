#pragma once
#include <functional>
#include <vector>

#include "ui/control.h"

namespace orv::ui {

// A 16 x 16 picture, rows top to bottom, colours 0x00BBGGRR; pixels equal to the mask colour are transparent.
struct ToolbarImage {
    static constexpr int kSize = 16;
    uint32_t pixels[kSize * kSize];
};

struct ToolbarButton {
    Text key;  // compared exactly, case included
    int imageIndex;
};

class Toolbar : public Control {
  public:
    using Control::Control;
    ControlKind kind() const override { return ControlKind::Toolbar; }

    void setImages(std::vector<ToolbarImage> images, uint32_t maskColor);
    const std::vector<ToolbarImage>& images() const { return images_; }
    uint32_t maskColor() const { return maskColor_; }

    void addButton(Text key, int imageIndex);
    const std::vector<ToolbarButton>& buttons() const { return buttons_; }

    // A click on the button with that key (the first one when keys repeat), behind the event boundary.
    void click(const Text& key);

    std::function<void(const ToolbarButton&)> onButtonClick;

  private:
    std::vector<ToolbarImage> images_;
    uint32_t maskColor_ = 0x00C0C0C0;
    std::vector<ToolbarButton> buttons_;
};

}  // namespace orv::ui
