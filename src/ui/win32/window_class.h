#pragma once
// A window class registered for one owner's lifetime. The name carries the owner's address: two toolkits in
// one process register their own, and a DLL that unloads leaves no class behind pointing into it.
#include <windows.h>

#include <string>

namespace orv::ui::win32 {

class WindowClass {
  public:
    WindowClass(const wchar_t* baseName, const void* owner, WNDPROC procedure, UINT style, HBRUSH background);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    const wchar_t* name() const { return name_.c_str(); }

  private:
    std::wstring name_;
    bool registered_ = false;
};

}  // namespace orv::ui::win32
