#pragma once
// The system message font at one DPI, plain and bold, as the dialogs' controls use it.
#include <windows.h>

#include "ui/win32/unique_handle.h"

namespace orv::ui::win32 {

class MessageFonts {
  public:
    explicit MessageFonts(unsigned dpi);

    HFONT font(bool bold) const { return static_cast<HFONT>(bold ? bold_.get() : normal_.get()); }

  private:
    UniqueGdiObject normal_;
    UniqueGdiObject bold_;
};

}  // namespace orv::ui::win32
