// Orv_Host: a sample survey drawing application that uses Orv_Pol_edit.dll as a customer's host would.
//   Orv_Host [drawing.orv]           opens the drawing, or the embedded sample
//   Orv_Host --generate N out.orv    writes a drawing of about N points (up to a million) and exits
//   Orv_Host --tour [folder]         plays the scripted tour on the sample, writing a picture per step
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "drawing_file.h"
#include "drawing_generator.h"
#include "main_window.h"
#include "resources.h"
#include "tour.h"

namespace {

using namespace orv::host;

Drawing embeddedSample() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(ORV_HOST_SAMPLE), MAKEINTRESOURCEW(10));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!text) return {};
    return parseDrawing(std::string_view(text, SizeofResource(nullptr, found)));
}

int generate(const wchar_t* count, const wchar_t* path) {
    const long points = std::wcstol(count, nullptr, 10);
    if (points < 4 || points > 1000000) {
        std::fprintf(stderr, "--generate takes 4 to 1000000 points\n");
        return 2;
    }
    const Drawing drawing = generateDrawing(static_cast<int32_t>(points));
    try {
        writeDrawingFile(path, drawing);
    } catch (const DrawingFileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::printf("%d points, %d polylines written to %s\n", drawing.pointCount(), drawing.polylineCount(),
                narrow(path).c_str());
    return 0;
}

int runMessageLoop(HWND window) {
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'A', kOpen},
                    {FCONTROL | FVIRTKEY, 'G', kSave},
                    {FVIRTKEY, VK_F5, kFocus},
                    {FVIRTKEY, VK_F6, kEdit},
                    {FVIRTKEY, VK_HOME, kFitAll}};
    HACCEL table = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(window, table, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyAcceleratorTable(table);
    return static_cast<int>(message.wParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring first = argc > 1 ? argv[1] : L"";
    if (first == L"--generate") return argc == 4 ? generate(argv[2], argv[3]) : 2;

    // The component lives in a single-threaded apartment, on this thread.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return 1;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainWindow::registerClass(GetModuleHandleW(nullptr));

    const bool tour = first == L"--tour";
    Drawing drawing;
    std::filesystem::path path;
    if (!tour && argc > 1) {
        try {
            drawing = readDrawingFile(argv[1]);
            path = argv[1];
        } catch (const DrawingFileError& error) {
            MessageBoxW(nullptr, (std::wstring(argv[1]) + L"\n" + widen(error.what())).c_str(), L"Orv Host",
                        MB_ICONERROR);
            drawing = embeddedSample();
        }
    } else {
        drawing = embeddedSample();
    }
    int result = 0;
    {
        MainWindow host(std::move(drawing), path);
        ShowWindow(host.window(), SW_SHOWNORMAL);
        UpdateWindow(host.window());
        if (tour) startTour(host, argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::path(L"demo"));
        result = runMessageLoop(host.window());
    }
    CoUninitialize();
    return result;
}
