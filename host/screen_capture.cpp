#include "screen_capture.h"

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "com/com_ptr.h"
#include "gdi_objects.h"

namespace orv::host {

namespace {

BOOL CALLBACK addWindow(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect;
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
        rect.right > rect.left)
        reinterpret_cast<std::vector<RECT>*>(context)->push_back(rect);
    return TRUE;
}

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

bool writePng(const std::filesystem::path& png, const std::vector<BYTE>& pixels, UINT width, UINT height) {
    using com::ComPtr;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    const UINT stride = width * 4;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, factory.putVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromFilename(png.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(width, height)) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WritePixels(height, stride, stride * height, const_cast<BYTE*>(pixels.data()))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool captureProcessWindows(const std::filesystem::path& png) {
    std::vector<RECT> windows;
    EnumWindows(&addWindow, reinterpret_cast<LPARAM>(&windows));
    if (windows.empty()) return false;
    RECT area = windows.front();
    for (const RECT& r : windows) UnionRect(&area, &area, &r);
    ScreenDc screen;
    area.left = std::max(0L, area.left), area.top = std::max(0L, area.top);
    area.right = std::min<LONG>(area.right, GetDeviceCaps(screen.dc, HORZRES));
    area.bottom = std::min<LONG>(area.bottom, GetDeviceCaps(screen.dc, VERTRES));
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    MemoryCanvas canvas(screen.dc, width, height);
    BitBlt(canvas.dc(), 0, 0, width, height, screen.dc, area.left, area.top, SRCCOPY);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    // The bitmap must not be selected while its bits are read.
    HBITMAP bitmap = canvas.bitmap();
    {
        GdiObject<HBITMAP> placeholder(CreateCompatibleBitmap(screen.dc, 1, 1));
        Selection swap(canvas.dc(), placeholder.get());
        GetDIBits(canvas.dc(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    }
    return writePng(png, pixels, static_cast<UINT>(width), static_cast<UINT>(height));
}

}  // namespace orv::host
