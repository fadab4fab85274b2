#include "ui/win32/visual_styles.h"

#include "ui/win32/module_instance.h"

namespace orv::ui::win32 {

namespace {

HANDLE contextFromModule() {
    wchar_t path[MAX_PATH];
    if (GetModuleFileNameW(moduleInstance(), path, MAX_PATH) == 0) return nullptr;
    // A DLL carries its manifest as resource 2, a program as 1; our module has the first, a test program may
    // have either.
    for (WORD resource : {WORD{2}, WORD{1}}) {
        ACTCTXW request{};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
        request.lpSource = path;
        request.hModule = moduleInstance();
        request.lpResourceName = MAKEINTRESOURCEW(resource);
        HANDLE context = CreateActCtxW(&request);
        if (context != INVALID_HANDLE_VALUE) return context;
    }
    return nullptr;
}

}  // namespace

VisualStyles::VisualStyles() : context_(contextFromModule()) {
    auto scope = activate();
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

VisualStyles::Scope::Scope(HANDLE context) {
    if (context != nullptr) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

VisualStyles::Scope::~Scope() {
    if (active_) DeactivateActCtx(0, cookie_);
}

DpiAwarenessScope::DpiAwarenessScope() {
    previous_ = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (previous_ == nullptr)
        previous_ = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

DpiAwarenessScope::~DpiAwarenessScope() {
    if (previous_ != nullptr) SetThreadDpiAwarenessContext(previous_);
}

}  // namespace orv::ui::win32
