#pragma once
// What a modal show does to the rest of the thread: the other top-level windows are disabled while the dialog
// is up, and when it ends (hidden, unloaded, or the loop left) they are enabled again and the window that was
// active before is activated again, before the dialog disappears, so that the activation does not wander off
// to another program.
#include <windows.h>

#include <vector>

namespace orv::ui::win32 {

class ModalScope {
  public:
    explicit ModalScope(HWND dialog);
    ~ModalScope() { end(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND dialog() const { return dialog_; }
    bool ended() const { return ended_; }
    void end();

  private:
    static BOOL CALLBACK collect(HWND window, LPARAM context) noexcept;

    HWND dialog_;
    HWND previousActive_;
    std::vector<HWND> disabled_;
    bool ended_ = false;
};

}  // namespace orv::ui::win32
