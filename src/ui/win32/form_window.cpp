#include "ui/win32/form_window.h"

#include <algorithm>

#include "ui/combo_box.h"
#include "ui/command_button.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/table/vertex_table.h"
#include "ui/text_box.h"
#include "ui/toolbar.h"
#include "ui/win32/combo_box_view.h"
#include "ui/win32/command_button_view.h"
#include "ui/win32/frame_view.h"
#include "ui/win32/label_view.h"
#include "ui/win32/module_instance.h"
#include "ui/win32/text_box_view.h"
#include "ui/win32/toolbar_view.h"
#include "ui/win32/vertex_grid_view.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/win32_toolkit.h"

namespace orv::ui::win32 {

namespace {

// Raises a flag for the length of a scope (the flag guards against echoes between model and window).
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool previous_;
};

DWORD styleOf(BorderStyle border) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (border == BorderStyle::SizableToolWindow) style |= WS_THICKFRAME;
    return style;
}

int depthOf(const Control& control) {
    int depth = 0;
    for (const Control* c = control.parent(); c != nullptr; c = c->parent()) ++depth;
    return depth;
}

bool isWithin(const Control& control, const Control& container) {
    for (const Control* c = &control; c != nullptr; c = c->parent()) {
        if (c == &container) return true;
    }
    return false;
}

}  // namespace

FormWindow::FormWindow(Win32Toolkit& toolkit, Form& form) : toolkit_(toolkit), form_(form) {
    scale_.dpi = GetDpiForSystem();
    fonts_ = std::make_unique<MessageFonts>(scale_.dpi);
    faceBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, toolkit_.formClassName(),
                                  wide(form_.caption()), styleOf(form_.border()), scale_.pixels(form_.left()),
                                  scale_.pixels(form_.top()), scale_.pixels(form_.width()),
                                  scale_.pixels(form_.height()), nullptr, nullptr, moduleInstance(), this);
    window_.reset(window);
    unsigned dpi = GetDpiForWindow(window);
    if (dpi != 0 && dpi != scale_.dpi) {
        scale_.dpi = dpi;
        fonts_ = std::make_unique<MessageFonts>(dpi);
        applyPlacement();
    }
    toolTips_.reset(CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, moduleInstance(), nullptr));
    SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, scale_.scaled(400));
    reportFrameThickness();
    createViews();
    form_.setObserver(this);
    form_.onFormChanged = [this](Property property) { formChanged(property); };
    created_ = true;
}

FormWindow::~FormWindow() {
    destroy();
}

// The form may be going away itself (a form destroyed while loaded unloads through here): it is not touched
// after.
void FormWindow::destroy() {
    if (!created_) return;
    if (form_.observer() == this) form_.setObserver(nullptr);
    form_.onFormChanged = nullptr;
    created_ = false;
    // The views stay until the toolkit drops this object: one of them may be running a handler right now.
    for (const auto& view : views_) view->forgetWindow();
    toolTips_.release();
    window_.reset();
}

void FormWindow::createViews() {
    for (const auto& control : form_.controls()) {
        std::unique_ptr<ControlView> view;
        switch (control->kind()) {
            case ControlKind::Label:
                view = std::make_unique<LabelView>(*this, static_cast<Label&>(*control));
                break;
            case ControlKind::TextBox:
                view = std::make_unique<TextBoxView>(*this, static_cast<TextBox&>(*control));
                break;
            case ControlKind::CommandButton:
                view = std::make_unique<CommandButtonView>(*this, static_cast<CommandButton&>(*control));
                break;
            case ControlKind::Frame:
                view = std::make_unique<FrameView>(*this, static_cast<Frame&>(*control));
                break;
            case ControlKind::ComboBox:
                view = std::make_unique<ComboBoxView>(*this, static_cast<ComboBox&>(*control));
                break;
            case ControlKind::Toolbar:
                view = std::make_unique<ToolbarView>(*this, static_cast<Toolbar&>(*control));
                break;
            case ControlKind::Table:
                if (auto* table = dynamic_cast<ui::VertexTable*>(control.get())) {
                    view = std::make_unique<VertexGridView>(*this, *table);
                }
                break;
        }
        if (view) {
            byModel_[control.get()] = view.get();
            views_.push_back(std::move(view));
        }
    }
    orderFrames();
}

// Labels are drawn beneath every other control (a label that runs into a button does not hide it), and frames
// beneath what they hold: the outermost at the very bottom, inner frames above it.
void FormWindow::orderFrames() {
    std::vector<ControlView*> bottomUp;
    for (const auto& view : views_) {
        if (view->model().kind() == ControlKind::Frame) bottomUp.push_back(view.get());
    }
    std::stable_sort(bottomUp.begin(), bottomUp.end(), [](ControlView* a, ControlView* b) {
        return depthOf(a->model()) < depthOf(b->model());
    });
    for (const auto& view : views_) {
        if (view->model().kind() == ControlKind::Label) bottomUp.push_back(view.get());
    }
    for (auto it = bottomUp.rbegin(); it != bottomUp.rend(); ++it) {
        SetWindowPos((*it)->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void FormWindow::show() {
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetActiveWindow(hwnd());
}

void FormWindow::hide() {
    ShowWindow(hwnd(), SW_HIDE);
}

RECT FormWindow::pixelRect(const Control& control) const {
    double left = 0, top = 0;
    for (const Control* c = &control; c != nullptr; c = c->parent()) {
        left += c->left();
        top += c->top();
    }
    return RECT{scale_.pixels(left), scale_.pixels(top), scale_.pixels(left + control.width()),
                scale_.pixels(top + control.height())};
}

bool FormWindow::effectivelyVisible(const Control& control) const {
    for (const Control* c = &control; c != nullptr; c = c->parent()) {
        if (!c->visible()) return false;
    }
    return true;
}

bool FormWindow::canFocus(const Control& control) const {
    if (!control.takesFocus() || viewOf(control) == nullptr) return false;
    for (const Control* c = &control; c != nullptr; c = c->parent()) {
        if (!c->visible() || !c->enabled()) return false;
    }
    return true;
}

void FormWindow::placeWithContents(const Control& container) {
    for (const auto& view : views_) {
        if (isWithin(view->model(), container)) view->place();
    }
}

void FormWindow::showWithContents(const Control& container) {
    for (const auto& view : views_) {
        if (isWithin(view->model(), container)) view->applyVisibility();
    }
}

void FormWindow::setToolTip(HWND control, const Text& tip) {
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hwnd();
    info.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(toolTips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (tip.empty()) return;
    info.lpszText = const_cast<wchar_t*>(wide(tip));
    SendMessageW(toolTips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

ControlView* FormWindow::viewOf(const Control& control) const {
    auto found = byModel_.find(&control);
    return found == byModel_.end() ? nullptr : found->second;
}

ControlView* FormWindow::viewOfWindow(HWND window) const {
    for (HWND w = window; w != nullptr && w != hwnd(); w = GetParent(w)) {
        for (const auto& view : views_) {
            if (view->hwnd() == w) return view.get();
        }
    }
    return nullptr;
}

ControlView* FormWindow::focusedView() const {
    return viewOfWindow(GetFocus());
}

void FormWindow::focusFirst() {
    Control* first = form_.focus();
    if (first == nullptr || !canFocus(*first)) {
        first = nullptr;
        for (Control* control : form_.tabOrder()) {
            if (canFocus(*control)) {
                first = control;
                break;
            }
        }
    }
    if (first != nullptr) viewOf(*first)->focusFromKeyboard();
}

void FormWindow::moveFocus(int step) {
    std::vector<Control*> order;
    for (Control* control : form_.tabOrder()) {
        if (canFocus(*control)) order.push_back(control);
    }
    if (order.empty()) return;
    ControlView* current = focusedView();
    auto at = std::find_if(order.begin(), order.end(), [&](Control* control) {
        return current != nullptr && &current->model() == control;
    });
    size_t next;
    if (at == order.end()) {
        next = step > 0 ? 0 : order.size() - 1;
    } else {
        size_t position = static_cast<size_t>(at - order.begin());
        next = (position + order.size() + static_cast<size_t>(step)) % order.size();
    }
    viewOf(*order[next])->focusFromKeyboard();
}

bool FormWindow::pressCancel() {
    for (const auto& control : form_.controls()) {
        if (control->kind() != ControlKind::CommandButton) continue;
        auto& button = static_cast<CommandButton&>(*control);
        if (button.isCancel() && canFocus(button)) {
            button.click();
            return true;
        }
    }
    return false;
}

bool FormWindow::preTranslate(MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
    WPARAM key = message.wParam;
    if (key != VK_TAB && key != VK_ESCAPE && key != VK_RETURN) return false;
    ControlView* view = viewOfWindow(message.hwnd);
    if (view != nullptr && view->wantsKey(message)) return false;
    switch (key) {
        case VK_TAB:
            moveFocus(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return true;
        case VK_ESCAPE:
            return pressCancel();
        default:
            if (view != nullptr && view->model().kind() == ControlKind::CommandButton) {
                static_cast<CommandButton&>(view->model()).click();
            }
            return true;
    }
}

void FormWindow::controlChanged(Control& control, Property property) {
    if (ControlView* view = viewOf(control)) view->update(property);
}

void FormWindow::formChanged(Property property) {
    if (property == Property::Caption) {
        SetWindowTextW(hwnd(), wide(form_.caption()));
    } else if (property == Property::Bounds && !applyingWindow_) {
        applyPlacement();
    }
}

void FormWindow::applyPlacement() {
    FlagScope guard(applyingModel_);
    SetWindowPos(hwnd(), nullptr, scale_.pixels(form_.left()), scale_.pixels(form_.top()),
                 scale_.pixels(form_.width()), scale_.pixels(form_.height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::reportFrameThickness() {
    RECT outer, inner;
    GetWindowRect(hwnd(), &outer);
    GetClientRect(hwnd(), &inner);
    form_.setFrameThickness(scale_.twips((outer.right - outer.left) - inner.right),
                            scale_.twips((outer.bottom - outer.top) - inner.bottom));
}

void FormWindow::userMovedOrSized(bool sized) {
    RECT outer;
    GetWindowRect(hwnd(), &outer);
    FlagScope guard(applyingWindow_);
    if (sized) {
        form_.userResizes(scale_.twips(outer.right - outer.left), scale_.twips(outer.bottom - outer.top));
    } else {
        form_.setLeft(scale_.twips(outer.left));
        form_.setTop(scale_.twips(outer.top));
    }
}

void FormWindow::dpiChanged(unsigned dpi, const RECT& suggested) {
    scale_.dpi = dpi;
    fonts_ = std::make_unique<MessageFonts>(dpi);
    SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, scale_.scaled(400));
    for (const auto& view : views_) view->dpiChanged();
    {
        FlagScope guard(applyingWindow_);
        form_.setLeft(scale_.twips(suggested.left));
        form_.setTop(scale_.twips(suggested.top));
    }
    applyPlacement();
    reportFrameThickness();
    for (const auto& view : views_) view->place();
    // The frame's thickness in twips changes with the DPI, and with it the inner area the layout depends on.
    FlagScope guard(applyingWindow_);
    form_.userResizes(form_.width(), form_.height());
}

LRESULT CALLBACK FormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr && self->window_.get() == window) self->window_.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (self == nullptr || !self->created_) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd();
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) {
                if (ControlView* view = viewOfWindow(reinterpret_cast<HWND>(lParam))) {
                    view->command(HIWORD(wParam), LOWORD(wParam));
                }
            }
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (ControlView* view = viewOfWindow(header.hwndFrom)) return view->notify(header);
            break;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (ControlView* view = viewOfWindow(item.hwndItem); view != nullptr && view->drawItem(item))
                return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // Labels, frames and buttons stand on the dialog's own face colour.
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(faceBrush_.get());
        case WM_CLOSE:
            form_.userCloses();
            return 0;
        case WM_SIZE:
            if (applyingModel_) return 0;
            if (wParam == SIZE_MINIMIZED) {
                form_.userMinimizes(true);
                return 0;
            }
            if (form_.minimized()) form_.userMinimizes(false);
            userMovedOrSized(true);
            return 0;
        case WM_MOVE:
            if (!applyingModel_ && !IsIconic(window)) userMovedOrSized(false);
            return 0;
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window, focus)) lastFocus_ = focus;
            } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsChild(window, lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace orv::ui::win32
