#pragma once
// The side panel: the drawing's layers with their point counts, and its polylines to choose from.
#include <windows.h>

#include <cstdint>

#include "drawing.h"

namespace orv::host {

class DrawingLists {
  public:
    // The polyline list notifies `parent` under `polylineListId` (LBN_SELCHANGE, LBN_DBLCLK).
    DrawingLists(HWND parent, WORD polylineListId);
    DrawingLists(const DrawingLists&) = delete;
    DrawingLists& operator=(const DrawingLists&) = delete;

    void place(int top, int bottom, int width);
    void fill(const Drawing& drawing, int32_t selected);
    void select(int32_t polyline);
    // The polyline chosen in the list, or 0.
    int32_t selected() const;

  private:
    HWND layersLabel_, layers_, polylinesLabel_, polylines_;
};

}  // namespace orv::host
