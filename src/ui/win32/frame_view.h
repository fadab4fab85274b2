#pragma once
#include "ui/frame.h"
#include "ui/win32/control_view.h"

namespace orv::ui::win32 {

class FrameView : public ControlView {
  public:
    FrameView(FormWindow& owner, Frame& model);
    ~FrameView() override;
    void update(Property property) override;
    void forgetWindow() override;

  private:
    // A group box paints its border and caption only: its inside is filled here, with the dialog's face
    // colour.
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept;

    Frame& frame_;
};

}  // namespace orv::ui::win32
