#include "file_dialog.h"

#include <commdlg.h>

namespace orv::host {

std::optional<std::filesystem::path> askDrawingPath(HWND owner, bool saving,
                                                    const std::filesystem::path& current) {
    wchar_t file[MAX_PATH] = {};
    if (!current.empty()) current.filename().wstring().copy(file, MAX_PATH - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"Dibujos (*.orv)\0*.orv\0Todos los archivos\0*.*\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"orv";
    dialog.Flags = saving ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::filesystem::path(file);
}

}  // namespace orv::host
