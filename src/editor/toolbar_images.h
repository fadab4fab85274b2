#pragma once
// The six pictures of the editor's toolbar, drawn for this component and kept here as source.
#include <cstdint>
#include <vector>

#include "ui/toolbar.h"

namespace orv::editor {

// Silver: the pixels of this colour are transparent.
inline constexpr uint32_t kToolbarMaskColor = 0x00C0C0C0;

// In the order of the toolbar's buttons: zoom in, zoom out, zoom to everything, delete a vertex, delete
// points, delete the polyline.
std::vector<ui::ToolbarImage> editorToolbarImages();

}  // namespace orv::editor
