#pragma once
// The cells of a grid, flat: one tag byte and one 8-byte payload per cell, in two arrays per column (the
// editor reads a whole column on every commit), and every text in one UTF-16 arena (offset and length in the
// payload). No heap object per cell; the arena is
// compacted when the texts no cell refers to any more outweigh the live ones. A text equal to one of the
// last few stored in its column is not stored again: codes and layer names repeat down a column, and the
// cells share one copy.
//
// A row may stand for a record kept elsewhere (its number, from 0): its cells that were never set since are
// read from that record by the grid, and a fill of a million rows writes one number a row. A column's arrays
// reach only as far down as its last set cell: the cells below are unset, so a header cell costs one entry.
#include <array>
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

    // Unchecked: callers keep row and column inside. A Double reads back bit for bit; a cell never set is
    // empty.
    automation::Value get(int32_t row, int32_t column) const;
    // A Long cell's value into `value`; false (value untouched) for any other cell.
    bool getLong(int32_t row, int32_t column, int32_t& value) const {
        const Column& cells = columns_[size_t(column)];
        if (size_t(row) >= cells.tags.size() || cells.tags[size_t(row)] != kLong) return false;
        value = static_cast<int32_t>(static_cast<uint32_t>(cells.payloads[size_t(row)]));
        return true;
    }
    // A text cell's text, read in place (valid until the next text is stored); false for any other cell.
    bool getText(int32_t row, int32_t column, automation::TextView& text) const {
        const Column& cells = columns_[size_t(column)];
        if (size_t(row) >= cells.tags.size() || cells.tags[size_t(row)] != kText) return false;
        const uint64_t payload = cells.payloads[size_t(row)];
        text = automation::TextView(arena_.data() + (payload & 0xFFFFFFFFu), size_t(payload >> 32));
        return true;
    }
    void set(int32_t row, int32_t column, const automation::Value& value);
    void setText(int32_t row, int32_t column, automation::TextView text);
    // Long cells down a column from row first, one a value.
    void setLongs(int32_t first, int32_t column, const int32_t* values, int32_t count);

    // The record a row stands for, or kNoRecord. Unchecked, as above.
    static constexpr int32_t kNoRecord = -1;
    int32_t record(int32_t row) const { return records_.empty() ? kNoRecord : records_[size_t(row)]; }
    // Rows first.. stand for the records firstRecord.. from now on, one each in order: every cell of them is
    // unset again.
    void setRecords(int32_t first, int32_t count, int32_t firstRecord);
    // The row stands for no record any more; its unset cells are empty.
    void clearRecord(int32_t row);
    // The record a cell is read from: the row's, while the cell was not set since; kNoRecord otherwise.
    int32_t recordOf(int32_t row, int32_t column) const {
        const int32_t standsFor = record(row);
        if (standsFor == kNoRecord) return kNoRecord;
        const Column& cells = columns_[size_t(column)];
        return size_t(row) >= cells.tags.size() || cells.tags[size_t(row)] == kUnset ? standsFor : kNoRecord;
    }

    size_t bytes() const;
    size_t arenaUnits() const { return arena_.size(); }
    size_t garbageUnits() const { return garbage_; }

  private:
    // kUnset: never set since the row was made or given its record; empty unless the row stands for one.
    enum Tag : uint8_t { kUnset, kText, kLong, kDouble, kEmpty };
    // The texts stored last in a column (payloads), newest replacing the oldest.
    static constexpr size_t kRecentTexts = 8;
    struct RecentTexts {
        std::array<uint64_t, kRecentTexts> payloads{};
        std::array<uint64_t, kRecentTexts> hashes{};
        size_t count = 0, next = 0;
    };
    struct Column {
        std::vector<uint8_t> tags;
        std::vector<uint64_t> payloads;
        RecentTexts recent;
    };
    void release(const Column& cells, size_t first, size_t count);
    void compactIfWasteful();
    void compact();
    void put(Column& cells, size_t row, uint8_t tag, uint64_t payload);
    // The column's arrays reach the row.
    void reach(Column& cells, size_t row) const;
    uint64_t storeText(int32_t column, automation::TextView text);
    static bool findRecentIn(const std::vector<char16_t>& arena, const RecentTexts& recent,
                             automation::TextView text, uint64_t hash, uint64_t& payload);
    static void remember(RecentTexts& recent, uint64_t payload, uint64_t hash);

    int32_t rows_ = 0, cols_ = 0;
    // A column's arrays are shorter than the table when its lowest cells were never set; records_ is empty
    // while no row stands for a record.
    std::vector<Column> columns_;
    std::vector<int32_t> records_;
    std::vector<char16_t> arena_;
    // The arena before the last compaction, kept for the next one to write into.
    std::vector<char16_t> spare_;
    // Released text units; a shared text is counted once per cell that let it go, so this may overstate.
    size_t garbage_ = 0;
};

}  // namespace orv::ui
