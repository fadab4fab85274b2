#pragma once
// The host's drawing file: UTF-8 text, one record a line, fields separated by tabs (see the README).
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "drawing.h"

namespace orv::host {

// A file that could not be read or written; for bad input, the line (from 1) and the reason.
class DrawingFileError : public std::runtime_error {
  public:
    DrawingFileError(int line, const std::string& reason);
    int line() const { return line_; }

  private:
    int line_;
};

Drawing parseDrawing(std::string_view text);
std::string formatDrawing(const Drawing& drawing);

Drawing readDrawingFile(const std::filesystem::path& path);
// Writes beside the file and renames over it: a failure leaves the old file as it was.
void writeDrawingFile(const std::filesystem::path& path, const Drawing& drawing);

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view text);

}  // namespace orv::host
