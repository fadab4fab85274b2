#include "drawing_lists.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orv::host {

namespace {

HWND makeChild(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, DWORD extended = 0,
               WORD id = 0) {
    HWND child = CreateWindowExW(extended, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    return child;
}

void addLine(HWND list, const std::wstring& line) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

// A list of a million entries would only be scrolled past; the plan view picks any polyline.
constexpr int32_t kListedPolylines = 20000;

}  // namespace

DrawingLists::DrawingLists(HWND parent, WORD polylineListId)
    : layersLabel_(makeChild(parent, L"STATIC", L"Capas", 0)),
      layers_(makeChild(parent, L"LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                        WS_EX_CLIENTEDGE)),
      polylinesLabel_(makeChild(parent, L"STATIC", L"Polilíneas", 0)),
      polylines_(makeChild(parent, L"LISTBOX", L"",
                           WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, WS_EX_CLIENTEDGE,
                           polylineListId)) {}

void DrawingLists::place(int top, int bottom, int width) {
    constexpr int kLayersHeight = 130, kLabel = 18;
    MoveWindow(layersLabel_, 6, top + 2, width - 10, kLabel, TRUE);
    MoveWindow(layers_, 4, top + kLabel + 2, width - 6, kLayersHeight, TRUE);
    MoveWindow(polylinesLabel_, 6, top + kLabel + kLayersHeight + 8, width - 10, kLabel, TRUE);
    const int listTop = top + 2 * kLabel + kLayersHeight + 8;
    MoveWindow(polylines_, 4, listTop, width - 6, std::max(20, bottom - listTop - 4), TRUE);
}

void DrawingLists::fill(const Drawing& drawing, int32_t selected) {
    SendMessageW(layers_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(layers_, LB_RESETCONTENT, 0, 0);
    std::vector<int32_t> perLayer(drawing.layers.size() + 1);
    for (const SurveyPoint& point : drawing.points)
        if (point.layer >= 0 && static_cast<size_t>(point.layer) < perLayer.size()) ++perLayer[point.layer];
    for (size_t k = 0; k < drawing.layers.size(); ++k)
        addLine(layers_, std::to_wstring(k + 1) + L"  " + drawing.layers[k] + L"  (" +
                             std::to_wstring(perLayer[k + 1]) + L" puntos)");
    SendMessageW(layers_, WM_SETREDRAW, TRUE, 0);

    SendMessageW(polylines_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(polylines_, LB_RESETCONTENT, 0, 0);
    for (int32_t k = 1; k <= std::min(drawing.polylineCount(), kListedPolylines); ++k) {
        const Polyline& polyline = drawing.polyline(k);
        const bool named =
            polyline.layer >= 1 && static_cast<size_t>(polyline.layer) <= drawing.layers.size();
        addLine(polylines_, std::to_wstring(k) + L"  " +
                                (named ? drawing.layers[static_cast<size_t>(polyline.layer - 1)] : L"") +
                                L"  (" + std::to_wstring(polyline.points.size()) + L" vértices)");
    }
    SendMessageW(polylines_, WM_SETREDRAW, TRUE, 0);
    select(selected);
}

void DrawingLists::select(int32_t polyline) {
    SendMessageW(polylines_, LB_SETCURSEL, polyline >= 1 && polyline <= kListedPolylines ? polyline - 1 : -1,
                 0);
}

int32_t DrawingLists::selected() const {
    return static_cast<int32_t>(SendMessageW(polylines_, LB_GETCURSEL, 0, 0)) + 1;
}

}  // namespace orv::host
