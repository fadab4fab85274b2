#pragma once
// What the rows of a grid that stand for records read their cells from: a fill of many rows from data the
// program already holds gives each row its record's number instead of writing its cells, and the grid asks
// here for a cell that was not set since. The values a record gives must not change while rows stand for
// it: a program that is about to change its data first takes a copy for the source to answer from.
#include <cstdint>
#include <optional>

#include "automation/text.h"
#include "automation/value.h"

namespace orv::ui {

class RowSource {
  public:
    virtual ~RowSource() = default;
    // The cell of the record in a column (the same as a set cell: text, Long, Double or empty).
    virtual automation::Value cell(int32_t record, int32_t column) const = 0;
    // A text cell's text in place, valid until the source changes; nothing for other cells.
    virtual std::optional<automation::TextView> textView(int32_t record, int32_t column) const = 0;
    // A Long cell's value; nothing for other cells.
    virtual std::optional<int32_t> longCell(int32_t record, int32_t column) const = 0;
};

}  // namespace orv::ui
