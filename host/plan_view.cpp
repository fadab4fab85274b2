#include "plan_view.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "gdi_objects.h"

namespace orv::host {

namespace {

constexpr wchar_t kClass[] = L"Orv_Host.PlanView";
constexpr COLORREF kPaper = RGB(252, 252, 248), kMark = RGB(70, 70, 70), kHighlight = RGB(230, 0, 0);
// Below this many points in view, marks are drawn; below the second, their names too.
constexpr size_t kMarksUpTo = 6000, kNamesUpTo = 1500;
constexpr int kPickRadius = 6;

double distanceToSegment(POINT p, POINT a, POINT b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool inside(POINT p, const RECT& area, int margin) {
    return p.x >= area.left - margin && p.x <= area.right + margin && p.y >= area.top - margin &&
           p.y <= area.bottom + margin;
}

}  // namespace

void PlanView::registerClass(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    type.lpfnWndProc = &PlanView::procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    type.lpszClassName = kClass;
    RegisterClassExW(&type);
}

PlanView::PlanView(HWND parent, PlanViewListener& listener) : listener_(listener) {
    window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, parent,
                              nullptr, GetModuleHandleW(nullptr), this);
}

void PlanView::show(const Drawing* drawing) {
    drawing_ = drawing;
    polyline_ = point_ = 0;
    fitPending_ = true;
    fitAll();
}

void PlanView::fitAll() {
    if (!drawing_ || drawing_->points.empty()) return redraw();
    double left = std::numeric_limits<double>::max(), bottom = left, right = -left, top = -left;
    for (const SurveyPoint& p : drawing_->points) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        bottom = std::min(bottom, p.y), top = std::max(top, p.y);
    }
    RECT area;
    GetClientRect(window_, &area);
    fitPending_ = area.right < 200 || area.bottom < 200;
    centreX_ = (left + right) / 2, centreY_ = (bottom + top) / 2;
    scale_ = 0.92 * std::min(std::max(1L, area.right) / std::max(1.0, right - left),
                             std::max(1L, area.bottom) / std::max(1.0, top - bottom));
    redraw();
}

void PlanView::centreOn(int32_t point) {
    if (!drawing_ || !drawing_->hasPoint(point)) return;
    centreX_ = drawing_->point(point).x, centreY_ = drawing_->point(point).y;
    redraw();
}

void PlanView::zoomAround(int32_t point, double factor) {
    if (!drawing_ || !drawing_->hasPoint(point)) return;
    centreX_ = drawing_->point(point).x, centreY_ = drawing_->point(point).y;
    scale_ = std::clamp(scale_ * factor, 1e-6, 1e4);
    redraw();
}

void PlanView::setCurrent(int32_t polyline, int32_t point) {
    polyline_ = polyline, point_ = point;
    redraw();
}

void PlanView::redraw() {
    InvalidateRect(window_, nullptr, FALSE);
}

POINT PlanView::toClient(double x, double y) const {
    RECT area;
    GetClientRect(window_, &area);
    return POINT{static_cast<LONG>(std::lround(area.right / 2.0 + (x - centreX_) * scale_)),
                 static_cast<LONG>(std::lround(area.bottom / 2.0 - (y - centreY_) * scale_))};
}

double PlanView::worldX(int x) const {
    RECT area;
    GetClientRect(window_, &area);
    return centreX_ + (x - area.right / 2.0) / scale_;
}

double PlanView::worldY(int y) const {
    RECT area;
    GetClientRect(window_, &area);
    return centreY_ - (y - area.bottom / 2.0) / scale_;
}

int32_t PlanView::polylineAt(POINT at) const {
    if (!drawing_) return 0;
    int32_t found = 0;
    double best = kPickRadius;
    for (int32_t k = 1; k <= drawing_->polylineCount(); ++k) {
        const auto& vertices = drawing_->polyline(k).points;
        for (size_t i = 1; i < vertices.size(); ++i) {
            const SurveyPoint &a = drawing_->point(vertices[i - 1]), &b = drawing_->point(vertices[i]);
            const double d = distanceToSegment(at, toClient(a.x, a.y), toClient(b.x, b.y));
            if (d <= best) best = d, found = k;
        }
    }
    return found;
}

int32_t PlanView::pointAt(POINT at) const {
    if (!drawing_) return 0;
    int32_t found = 0;
    double best = 2 * kPickRadius;
    for (int32_t p = 1; p <= drawing_->pointCount(); ++p) {
        const POINT c = toClient(drawing_->point(p).x, drawing_->point(p).y);
        const double d = std::hypot(c.x - at.x, c.y - at.y);
        if (d <= best) best = d, found = p;
    }
    return found;
}

void PlanView::zoomAt(POINT at, double factor) {
    // The world point under the cursor stays under it.
    const double x = worldX(at.x), y = worldY(at.y);
    scale_ = std::clamp(scale_ * factor, 1e-6, 1e4);
    RECT area;
    GetClientRect(window_, &area);
    centreX_ = x - (at.x - area.right / 2.0) / scale_;
    centreY_ = y + (at.y - area.bottom / 2.0) / scale_;
    redraw();
}

LRESULT CALLBACK PlanView::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PlanView*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlanView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT PlanView::handle(UINT message, WPARAM w, LPARAM l) {
    const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            RECT area;
            GetClientRect(window_, &area);
            MemoryCanvas canvas(dc, std::max(1L, area.right), std::max(1L, area.bottom));
            paint(canvas.dc(), area);
            BitBlt(dc, 0, 0, area.right, area.bottom, canvas.dc(), 0, 0, SRCCOPY);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (fitPending_) fitAll();
            return 0;
        case WM_MOUSEWHEEL: {
            POINT client = at;
            ScreenToClient(window_, &client);
            zoomAt(client, GET_WHEEL_DELTA_WPARAM(w) > 0 ? 1.25 : 0.8);
            return 0;
        }
        case WM_LBUTTONDOWN:
            SetFocus(window_);
            SetCapture(window_);
            dragging_ = true, dragged_ = false, dragFrom_ = at;
            return 0;
        case WM_MOUSEMOVE:
            listener_.cursorMoved(worldX(at.x), worldY(at.y));
            if (dragging_ && (dragged_ || std::abs(at.x - dragFrom_.x) + std::abs(at.y - dragFrom_.y) > 3)) {
                dragged_ = true;
                centreX_ -= (at.x - dragFrom_.x) / scale_;
                centreY_ += (at.y - dragFrom_.y) / scale_;
                dragFrom_ = at;
                redraw();
            }
            return 0;
        case WM_LBUTTONUP:
            if (!dragging_) return 0;
            dragging_ = false;
            ReleaseCapture();
            if (!dragged_) listener_.clicked(at);
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

void PlanView::paint(HDC dc, const RECT& area) const {
    GdiObject<HBRUSH> paper(CreateSolidBrush(kPaper));
    FillRect(dc, &area, paper.get());
    if (!drawing_) return;
    paintPolylines(dc, area);
    paintPoints(dc, area);
    paintHighlight(dc);
}

void PlanView::paintPolylines(HDC dc, const RECT& area) const {
    std::vector<POINT> line;
    for (int32_t k = 1; k <= drawing_->polylineCount(); ++k) {
        const Polyline& polyline = drawing_->polyline(k);
        line.clear();
        bool visible = false;
        for (int32_t p : polyline.points) {
            line.push_back(toClient(drawing_->point(p).x, drawing_->point(p).y));
            visible = visible || inside(line.back(), area, 200);
        }
        // Whole parcels smaller than a pixel would only be noise.
        if (!visible ||
            (line.size() > 1 && std::abs(line[0].x - line[1].x) + std::abs(line[0].y - line[1].y) < 1))
            continue;
        // Thin lines where polylines crowd, so that each keeps its colour.
        const bool current = k == polyline_;
        const bool crowded =
            line.size() > 1 && std::abs(line[0].x - line[1].x) + std::abs(line[0].y - line[1].y) < 8;
        GdiObject<HPEN> pen(CreatePen(PS_SOLID,
                                      current   ? 4
                                      : crowded ? 1
                                                : 2,
                                      static_cast<COLORREF>(polyline.colour)));
        Selection selected(dc, pen.get());
        ::Polyline(dc, line.data(), static_cast<int>(line.size()));
    }
}

void PlanView::paintPoints(HDC dc, const RECT& area) const {
    std::vector<std::pair<POINT, int32_t>> shown;
    for (int32_t p = 1; p <= drawing_->pointCount() && shown.size() <= kMarksUpTo; ++p) {
        const POINT c = toClient(drawing_->point(p).x, drawing_->point(p).y);
        if (inside(c, area, 0)) shown.emplace_back(c, p);
    }
    if (shown.size() > kMarksUpTo) return;
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, kMark));
    Selection selected(dc, pen.get());
    for (const auto& [c, p] : shown) {
        MoveToEx(dc, c.x - 3, c.y, nullptr), LineTo(dc, c.x + 4, c.y);
        MoveToEx(dc, c.x, c.y - 3, nullptr), LineTo(dc, c.x, c.y + 4);
    }
    if (shown.size() > kNamesUpTo) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kMark);
    Selection font(dc, GetStockObject(DEFAULT_GUI_FONT));
    // A name that would overprint one already written is left out.
    std::vector<RECT> written;
    for (const auto& [c, p] : shown) {
        const std::wstring& name = drawing_->point(p).name;
        SIZE size{};
        GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size);
        const RECT box{c.x + 4, c.y - 14, c.x + 6 + size.cx, c.y - 14 + size.cy};
        RECT overlap;
        if (std::any_of(written.begin(), written.end(),
                        [&](const RECT& r) { return IntersectRect(&overlap, &r, &box); }))
            continue;
        written.push_back(box);
        TextOutW(dc, box.left, box.top, name.c_str(), static_cast<int>(name.size()));
    }
}

void PlanView::paintHighlight(HDC dc) const {
    if (!drawing_->hasPoint(point_)) return;
    const SurveyPoint& point = drawing_->point(point_);
    const POINT c = toClient(point.x, point.y);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 3, kHighlight));
    Selection selected(dc, pen.get());
    Selection hollow(dc, GetStockObject(HOLLOW_BRUSH));
    Ellipse(dc, c.x - 9, c.y - 9, c.x + 10, c.y + 10);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 200));
    SetTextColor(dc, kHighlight);
    const std::wstring label = L" " + point.name + L" ";
    TextOutW(dc, c.x + 12, c.y + 6, label.c_str(), static_cast<int>(label.size()));
}

}  // namespace orv::host
