#pragma once
// The top-level window of one form: it mirrors the form's placement and caption, creates a view for every
// control, places them from their twips at the window's DPI, and handles the dialog keyboard (keyboard order,
// Esc).
#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/form.h"
#include "ui/win32/control_view.h"
#include "ui/win32/dpi_scale.h"
#include "ui/win32/message_fonts.h"
#include "ui/win32/unique_handle.h"

namespace orv::ui::win32 {

class Win32Toolkit;

class FormWindow : public ControlObserver {
  public:
    FormWindow(Win32Toolkit& toolkit, Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    Form& form() const { return form_; }
    HWND hwnd() const { return window_.get(); }
    Win32Toolkit& toolkit() const { return toolkit_; }
    const DpiScale& scale() const { return scale_; }
    HFONT font(bool bold) const { return fonts_->font(bold); }

    void show();
    void hide();
    // Destroys the window now; the object stays until the toolkit drops it (its window procedure may be
    // running).
    void destroy();
    // Dialog keys of a message bound for this window or one of its children; true when handled.
    bool preTranslate(MSG& message);

    // For the views.
    RECT pixelRect(const Control& control) const;
    bool effectivelyVisible(const Control& control) const;
    void placeWithContents(const Control& container);
    void showWithContents(const Control& container);
    void setToolTip(HWND control, const Text& tip);
    ControlView* viewOf(const Control& control) const;

    // The view that holds the focus, or null.
    ControlView* focusedView() const;
    // The first control of the keyboard order that can take the focus (the dialog opens on it).
    void focusFirst();

    void controlChanged(Control& control, Property property) override;

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createViews();
    void orderFrames();
    void formChanged(Property property);
    void applyPlacement();
    void reportFrameThickness();
    void userMovedOrSized(bool sized);
    void dpiChanged(unsigned dpi, const RECT& suggested);
    void moveFocus(int step);
    bool pressCancel();
    bool canFocus(const Control& control) const;
    ControlView* viewOfWindow(HWND window) const;

    Win32Toolkit& toolkit_;
    Form& form_;
    DpiScale scale_;
    std::unique_ptr<MessageFonts> fonts_;
    UniqueGdiObject faceBrush_;
    UniqueWindow window_;
    UniqueWindow toolTips_;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::unordered_map<const Control*, ControlView*> byModel_;
    bool created_ = false;
    // Set while the window follows the model (or the model the window), so that neither echoes the other.
    bool applyingModel_ = false;
    bool applyingWindow_ = false;
    HWND lastFocus_ = nullptr;
};

}  // namespace orv::ui::win32
