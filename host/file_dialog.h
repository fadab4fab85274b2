#pragma once
// The system's file dialogs for drawing files.
#include <windows.h>

#include <filesystem>
#include <optional>

namespace orv::host {

// The file the user chose, or nothing when they cancelled.
std::optional<std::filesystem::path> askDrawingPath(HWND owner, bool saving,
                                                    const std::filesystem::path& current);

}  // namespace orv::host
