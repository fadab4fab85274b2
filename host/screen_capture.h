#pragma once
// Pictures of what is on screen: the area covered by this process's visible windows, as a PNG file.
#include <filesystem>

namespace orv::host {

// False when nothing could be captured or written.
bool captureProcessWindows(const std::filesystem::path& png);

}  // namespace orv::host
