// The toolbar pictures, drawn with a few strokes on a 16 x 16 silver ground: a magnifier for the zooms, a
// polyline with its vertices and a red cross for the deletions.
#include "editor/toolbar_images.h"

#include <cstdlib>

namespace orv::editor {

namespace {

// Colours 0x00BBGGRR.
constexpr uint32_t kBlack = 0x00000000;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kGlass = 0x00F0E0A0;
constexpr uint32_t kHandle = 0x00204080;
constexpr uint32_t kNavy = 0x00800000;
constexpr uint32_t kLine = 0x00C06000;
constexpr uint32_t kRed = 0x000000E0;

class Canvas {
  public:
    Canvas() {
        for (uint32_t& pixel : image_.pixels) pixel = kToolbarMaskColor;
    }

    void dot(int x, int y, uint32_t colour) {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize) image_.pixels[y * kSize + x] = colour;
    }
    void box(int x0, int y0, int x1, int y1, uint32_t colour) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) dot(x, y, colour);
    }
    // A straight stroke, one pixel wide.
    void line(int x0, int y0, int x1, int y1, uint32_t colour) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            dot(x0, y0, colour);
            if (x0 == x1 && y0 == y1) return;
            const int twice = 2 * error;
            if (twice >= dy) error += dy, x0 += sx;
            if (twice <= dx) error += dx, y0 += sy;
        }
    }
    // A disc of the given radius (squared, in pixel centres) with a one-pixel rim.
    void lens(int cx, int cy, int radiusSquared, int innerSquared, uint32_t rim, uint32_t fill) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const int distance = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (distance <= innerSquared)
                    dot(x, y, fill);
                else if (distance <= radiusSquared)
                    dot(x, y, rim);
            }
    }

    ui::ToolbarImage image() const { return image_; }

  private:
    static constexpr int kSize = ui::ToolbarImage::kSize;
    ui::ToolbarImage image_{};
};

Canvas magnifier() {
    Canvas canvas;
    canvas.lens(6, 6, 30, 17, kBlack, kGlass);
    canvas.dot(4, 4, kWhite);
    canvas.dot(5, 3, kWhite);
    for (int i = 0; i < 5; ++i) {
        canvas.box(10 + i, 10 + i, 11 + i, 11 + i, kHandle);
    }
    return canvas;
}

// A three-segment polyline with square vertex marks.
void polyline(Canvas& canvas) {
    constexpr int kVertices[][2] = {{1, 12}, {5, 4}, {10, 10}, {14, 3}};
    for (int i = 0; i + 1 < 4; ++i)
        canvas.line(kVertices[i][0], kVertices[i][1], kVertices[i + 1][0], kVertices[i + 1][1], kLine);
    for (const auto& vertex : kVertices)
        canvas.box(vertex[0] - 1, vertex[1] - 1, vertex[0] + 1, vertex[1] + 1, kBlack);
}

// A red cross two pixels thick over the square x0..x1, y0..y1.
void cross(Canvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.line(x0, y0, x1, y1, kRed);
    canvas.line(x0 + 1, y0, x1, y1 - 1, kRed);
    canvas.line(x0, y1, x1, y0, kRed);
    canvas.line(x0 + 1, y1, x1, y0 + 1, kRed);
}

ui::ToolbarImage zoomIn() {
    Canvas canvas = magnifier();
    canvas.box(4, 6, 8, 6, kNavy);
    canvas.box(6, 4, 6, 8, kNavy);
    return canvas.image();
}

ui::ToolbarImage zoomOut() {
    Canvas canvas = magnifier();
    canvas.box(4, 6, 8, 6, kNavy);
    return canvas.image();
}

// Four corner marks around the whole drawing, with a polyline inside.
ui::ToolbarImage zoomAll() {
    Canvas canvas;
    for (const int x : {0, 15})
        for (const int y : {0, 15}) {
            const int inward = x == 0 ? 1 : -1;
            const int downward = y == 0 ? 1 : -1;
            canvas.line(x, y, x + 4 * inward, y, kBlack);
            canvas.line(x, y, x, y + 4 * downward, kBlack);
        }
    canvas.line(3, 11, 6, 5, kLine);
    canvas.line(6, 5, 9, 9, kLine);
    canvas.line(9, 9, 12, 4, kLine);
    return canvas.image();
}

ui::ToolbarImage deleteVertex() {
    Canvas canvas;
    polyline(canvas);
    cross(canvas, 7, 7, 13, 13);
    return canvas.image();
}

// Scattered point marks, crossed out.
ui::ToolbarImage deletePoints() {
    Canvas canvas;
    constexpr int kPoints[][2] = {{7, 2}, {2, 7}, {13, 7}, {7, 13}};
    for (const auto& point : kPoints) {
        canvas.line(point[0] - 1, point[1], point[0] + 1, point[1], kBlack);
        canvas.line(point[0], point[1] - 1, point[0], point[1] + 1, kBlack);
    }
    cross(canvas, 1, 1, 14, 14);
    return canvas.image();
}

ui::ToolbarImage deletePolyline() {
    Canvas canvas;
    polyline(canvas);
    cross(canvas, 1, 1, 14, 14);
    return canvas.image();
}

}  // namespace

std::vector<ui::ToolbarImage> editorToolbarImages() {
    return {zoomIn(), zoomOut(), zoomAll(), deleteVertex(), deletePoints(), deletePolyline()};
}

}  // namespace orv::editor
