#pragma once
#include <windows.h>

namespace orv::ui::win32 {

// The module (the component's DLL or a test program) that holds this code: window classes and the
// visual-styles manifest belong to it, not to the host.
HINSTANCE moduleInstance();

}  // namespace orv::ui::win32
