#pragma once
// The window of one control model. The view writes what the model holds into its window and routes what the
// user does into the model's user paths; it decides nothing itself.
#include <windows.h>

#include "ui/control.h"
#include "ui/win32/unique_handle.h"

namespace orv::ui::win32 {

class FormWindow;

class ControlView {
  public:
    ControlView(FormWindow& owner, Control& model);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    Control& model() const { return model_; }
    HWND hwnd() const { return window_.get(); }

    // The model changed: bring the window in line.
    virtual void update(Property property);
    // WM_COMMAND and WM_NOTIFY from the control's window, WM_DRAWITEM for an owner-drawn one.
    virtual void command(WORD code, WORD id) {}
    virtual LRESULT notify(const NMHDR& header) { return 0; }
    virtual bool drawItem(const DRAWITEMSTRUCT& item) { return false; }
    // Fonts, images and metrics after a DPI change; then the form places every view again.
    virtual void dpiChanged();
    // Where the window stands in the form's client area, in pixels.
    virtual RECT placement() const;
    // Whether Tab, Esc and Enter belong to the control rather than to the dialog's keyboard handling.
    virtual bool wantsKey(const MSG& message) const;
    // The control got the focus from the keyboard (Tab): text is selected whole, as in any dialog.
    virtual void focusFromKeyboard();

    // The form's window was destroyed, and this one with it.
    virtual void forgetWindow() { window_.release(); }
    void place();
    void applyVisibility();
    void applyFont();

  protected:
    void create(const wchar_t* className, DWORD style, DWORD exStyle, const Text& text,
                void* parameter = nullptr);
    FormWindow& owner() const { return owner_; }

    UniqueWindow window_;

  private:
    FormWindow& owner_;
    Control& model_;
};

}  // namespace orv::ui::win32
