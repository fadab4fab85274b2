#include "ui/win32/win32_toolkit.h"

#include <algorithm>

#include "platform/win32/structured_fault.h"
#include "ui/form.h"
#include "ui/win32/vertex_grid_view.h"
#include "ui/win32/wide_text.h"

namespace orv::ui::win32 {

Win32Toolkit::Win32Toolkit()
    : formClass_(L"Orv_Pol_edit.Form", this, &FormWindow::windowProcedure, 0,
                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
      gridClass_(L"Orv_Pol_edit.Grid", this, &VertexGridView::windowProcedure, CS_DBLCLKS, nullptr) {}

Win32Toolkit::~Win32Toolkit() {
    for (auto& window : windows_) window->destroy();
    windows_.clear();
    unloaded_.clear();
}

FormWindow* Win32Toolkit::windowOf(const Form& form) const {
    for (const auto& window : windows_) {
        if (&window->form() == &form) return window.get();
    }
    return nullptr;
}

FormWindow* Win32Toolkit::windowOf(HWND window) const {
    HWND root = GetAncestor(window, GA_ROOT);
    for (const auto& candidate : windows_) {
        if (candidate->hwnd() == root) return candidate.get();
    }
    return nullptr;
}

void Win32Toolkit::load(Form& form) {
    if (windowOf(form) != nullptr) return;
    DpiAwarenessScope dpi;
    auto styles = styles_.activate();
    windows_.push_back(std::make_unique<FormWindow>(*this, form));
}

void Win32Toolkit::showModal(Form& form) {
    load(form);
    FormWindow& window = *windowOf(form);
    ModalScope scope(window.hwnd());
    modal_.push_back(Modal{&form, &scope});
    form.setShown(true);
    window.show();
    window.focusFirst();
    MSG message;
    while (!scope.ended()) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The thread is quitting: leave the dialog and let the host's own loop see the quit too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        dispatch(message);
    }
    modal_.erase(
        std::remove_if(modal_.begin(), modal_.end(), [&](const Modal& m) { return m.scope == &scope; }),
        modal_.end());
    if (!scope.ended()) {
        scope.end();
        if (FormWindow* still = windowOf(form)) still->hide();
        form.setShown(false);
    }
    if (modal_.empty()) unloaded_.clear();
}

void Win32Toolkit::endModal(const Form& form) {
    for (const Modal& modal : modal_) {
        if (modal.form == &form) modal.scope->end();
    }
}

void Win32Toolkit::hide(Form& form) {
    endModal(form);
    if (FormWindow* window = windowOf(form)) window->hide();
    form.setShown(false);
}

void Win32Toolkit::unload(Form& form) {
    endModal(form);
    form.setShown(false);
    auto found = std::find_if(windows_.begin(), windows_.end(),
                              [&](const auto& window) { return &window->form() == &form; });
    if (found == windows_.end()) return;
    (*found)->destroy();
    unloaded_.push_back(std::move(*found));
    windows_.erase(found);
}

void Win32Toolkit::dispatch(MSG& message) {
    if (FormWindow* window = windowOf(message.hwnd); window != nullptr && window->preTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Toolkit::yieldPerRow() {
    // Asking the system for messages costs far more than reading a row: at a million rows that is minutes.
    // Within a loop, messages are looked for at most every few milliseconds, which no user notices.
    if (GetTickCount64() - lastLook_ < kYieldInterval) return;
    yield();
}

void Win32Toolkit::yield() {
    lastLook_ = GetTickCount64();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

int32_t Win32Toolkit::messageBox(const Text& text, int32_t style, const Text& title) {
    HWND owner = modal_.empty() ? GetActiveWindow() : modal_.back().scope->dialog();
    UINT flags = static_cast<UINT>(style);
    if (owner == nullptr) flags |= MB_TASKMODAL;
    auto styles = styles_.activate();
    return MessageBoxW(owner, wide(text), wide(title), flags);
}

Text Win32Toolkit::applicationTitle() const {
    return u"Orv_Pol_edit";
}

std::optional<automation::AutomationError> Win32Toolkit::runGuarded(const std::function<void()>& handler) {
    if (std::optional<platform::StructuredFault> fault = platform::runGuarded(handler))
        return platform::faultError(*fault);
    return std::nullopt;
}

}  // namespace orv::ui::win32
