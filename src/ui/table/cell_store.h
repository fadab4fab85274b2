#pragma once
// The cells of a grid, flat: one tag byte and one 8-byte payload per cell in two arrays, row by row, and
// every text in one UTF-16 arena (offset and length in the payload). No heap object per cell; the arena is
// compacted when the texts no cell refers to any more outweigh the live ones.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "automation/value.h"

namespace orv::ui {

class CellStore {
  public:
    // More cells than this is error 7 (about 2.4 GB of cells; a 32-bit process stops at 300 MB).
    static constexpr size_t kMaxCells = sizeof(void*) >= 8 ? size_t{1} << 28 : size_t{1} << 25;

    int32_t rows() const { return rows_; }
    int32_t cols() const { return cols_; }
    // New cells are empty; cells that no longer fit are forgotten. Unchecked: callers pass sizes >= 0.
    void resize(int32_t rows, int32_t cols);
    void insertRows(int32_t at, int32_t count);
    void removeRows(int32_t first, int32_t count);

    // Unchecked: callers keep row and column inside. A Double reads back bit for bit.
    automation::Value get(int32_t row, int32_t column) const;
    void set(int32_t row, int32_t column, const automation::Value& value);

    size_t bytes() const;
    size_t arenaUnits() const { return arena_.size(); }
    size_t garbageUnits() const { return garbage_; }

  private:
    enum Tag : uint8_t { kEmpty, kText, kLong, kDouble };
    size_t at(int32_t row, int32_t column) const { return size_t(row) * size_t(cols_) + size_t(column); }
    void release(size_t first, size_t count);
    void compactIfWasteful();
    void compact();
    uint64_t storeText(const automation::Text& text);

    int32_t rows_ = 0, cols_ = 0;
    std::vector<uint8_t> tags_;
    std::vector<uint64_t> payloads_;
    std::vector<char16_t> arena_;
    size_t garbage_ = 0;
};

}  // namespace orv::ui
