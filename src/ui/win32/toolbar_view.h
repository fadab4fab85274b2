#pragma once
#include "ui/toolbar.h"
#include "ui/win32/control_view.h"
#include "ui/win32/unique_handle.h"

namespace orv::ui::win32 {

// The toolbar's buttons, keyed by their strings; the image list is built from the model's pictures, scaled to
// the window's DPI, with the model's mask colour transparent.
class ToolbarView : public ControlView {
  public:
    ToolbarView(FormWindow& owner, Toolbar& model);
    void update(Property property) override;
    void command(WORD code, WORD id) override;
    void dpiChanged() override;

  private:
    void buildImages();
    void addButtons();
    void fitButtons();

    Toolbar& toolbar_;
    UniqueImageList images_;
};

}  // namespace orv::ui::win32
