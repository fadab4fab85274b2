#pragma once
// The plan view: the drawing's polylines in their colours, its points as marks with their names, the current
// polyline and point highlighted; the mouse wheel zooms around the cursor and a drag pans.
#include <windows.h>

#include <cstdint>

#include "drawing.h"

namespace orv::host {

class PlanViewListener {
  public:
    virtual void cursorMoved(double x, double y) = 0;
    // A click that was not a drag.
    virtual void clicked(POINT at) = 0;

  protected:
    ~PlanViewListener() = default;
};

class PlanView {
  public:
    static void registerClass(HINSTANCE instance);
    PlanView(HWND parent, PlanViewListener& listener);
    PlanView(const PlanView&) = delete;
    PlanView& operator=(const PlanView&) = delete;

    HWND window() const { return window_; }
    void show(const Drawing* drawing);
    void fitAll();
    void centreOn(int32_t point);
    void zoomAround(int32_t point, double factor);
    void setCurrent(int32_t polyline, int32_t point);
    void redraw();

    double scale() const { return scale_; }
    int32_t currentPoint() const { return point_; }
    int32_t currentPolyline() const { return polyline_; }
    POINT toClient(double x, double y) const;
    // The polyline with a segment within a few pixels of `at`, or 0; likewise the nearest point.
    int32_t polylineAt(POINT at) const;
    int32_t pointAt(POINT at) const;

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void paint(HDC dc, const RECT& area) const;
    void paintPolylines(HDC dc, const RECT& area) const;
    void paintPoints(HDC dc, const RECT& area) const;
    void paintHighlight(HDC dc) const;
    void zoomAt(POINT at, double factor);
    double worldX(int x) const;
    double worldY(int y) const;

    HWND window_ = nullptr;
    PlanViewListener& listener_;
    const Drawing* drawing_ = nullptr;
    // The world point at the window's centre, and pixels per metre.
    double centreX_ = 0, centreY_ = 0, scale_ = 1;
    int32_t polyline_ = 0, point_ = 0;
    bool dragging_ = false, dragged_ = false;
    // Fitting waits for the window's real size.
    bool fitPending_ = false;
    POINT dragFrom_{};
};

}  // namespace orv::host
