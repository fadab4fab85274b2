#pragma once
// The common controls version 6 for our windows, whatever the host's own manifest says: an activation context
// made from the manifest resource of our module, active while our windows and system dialogs are created.
#include <windows.h>

#include "ui/win32/unique_handle.h"

namespace orv::ui::win32 {

class VisualStyles {
  public:
    VisualStyles();

    class Scope {
      public:
        explicit Scope(HANDLE context);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        ULONG_PTR cookie_ = 0;
        bool active_ = false;
    };
    // While the scope lives, windows created on this thread use the version 6 controls.
    Scope activate() const { return Scope(context_.get()); }
    HANDLE context() const { return context_.get(); }

  private:
    UniqueActivationContext context_;
};

// While it lives, windows created on this thread are per-monitor DPI aware (the host process may not be).
class DpiAwarenessScope {
  public:
    DpiAwarenessScope();
    ~DpiAwarenessScope();
    DpiAwarenessScope(const DpiAwarenessScope&) = delete;
    DpiAwarenessScope& operator=(const DpiAwarenessScope&) = delete;

  private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

}  // namespace orv::ui::win32
