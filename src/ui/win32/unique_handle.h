#pragma once
// One owning type for every Win32 handle the views hold: the release function appears once, in the traits.
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace orv::ui::win32 {

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) {
        if (handle_ != Handle{}) Traits::close(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_{};
};

struct WindowTraits {
    using Handle = HWND;
    static void close(HWND handle) { DestroyWindow(handle); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static void close(HGDIOBJ handle) { DeleteObject(handle); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static void close(HIMAGELIST handle) { ImageList_Destroy(handle); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void close(HMENU handle) { DestroyMenu(handle); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static void close(HKEY handle) { RegCloseKey(handle); }
};
struct ActivationContextTraits {
    using Handle = HANDLE;
    static void close(HANDLE handle) { ReleaseActCtx(handle); }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueActivationContext = UniqueHandle<ActivationContextTraits>;

}  // namespace orv::ui::win32
