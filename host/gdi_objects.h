#pragma once
// Owners for GDI objects and device contexts: DeleteObject, DeleteDC and the selection undo appear here once.
#include <windows.h>

#include <utility>

namespace orv::host {

template <class Handle>
class GdiObject {
  public:
    explicit GdiObject(Handle handle = nullptr) noexcept : handle_(handle) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    ~GdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    Handle get() const noexcept { return handle_; }

  private:
    Handle handle_;
};

// Selects an object into a device context for one scope.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { SelectObject(dc_, previous_); }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context with a bitmap of the given size selected, compatible with `like`.
class MemoryCanvas {
  public:
    MemoryCanvas(HDC like, int width, int height)
        : dc_(CreateCompatibleDC(like)),
          bitmap_(CreateCompatibleBitmap(like, width, height)),
          selection_(dc_, bitmap_.get()) {}
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    ~MemoryCanvas() = default;
    HDC dc() const noexcept { return dc_; }
    HBITMAP bitmap() const noexcept { return bitmap_.get(); }

  private:
    struct Dc {
        HDC dc;
        ~Dc() { DeleteDC(dc); }
    };
    HDC dc_;
    Dc owner_{dc_};
    GdiObject<HBITMAP> bitmap_;
    Selection selection_;
};

}  // namespace orv::host
