#pragma once
// The vertex table's rows filled from points. A fill gives each row the number of its vertex instead of
// writing eight cells: record k is vertex k + 1 of the fill, and its cells (vertex number, point number,
// name, X, Y, Z, code, layer name) are read from the editor's arrays when the table shows or reads them.
// Before the arrays may change (the editor writes a row back, or an event hands them to the host) the editor
// freezes the rows: they take a copy of what they show and answer from it until the next fill. So a row shows
// what the fill wrote until the user edits it, as a written cell does, and a fill of a million vertices costs
// a copy of its point numbers.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "automation/automation_array.h"
#include "ui/table/row_source.h"
#include "ui/toolkit.h"

namespace orv::editor {

class PointRows final : public ui::RowSource {
  public:
    // The editor's own array variables: their contents are read at each use.
    PointRows(const automation::DoubleArray& X, const automation::DoubleArray& Y,
              const automation::DoubleArray& Z, const automation::TextArray& Nombre,
              const automation::TextArray& Código, const automation::IntegerArray& CapaPuntos,
              const automation::TextArray& Capas);

    // A new fill: record k for the point points[k], read from the arrays again.
    void fill(const int32_t* points, int32_t count);
    // The points a row can stand for: first..last, the subscripts from 1 on that every point array has
    // (none when last < first).
    std::pair<int64_t, int64_t> covered() const;
    bool covers(int32_t p) const {
        const auto [first, last] = covered();
        return p >= first && p <= last;
    }
    // From now on the records answer from a copy of what they show, whatever the arrays become. Yields when
    // due while it copies (a million records take a while), so that the window keeps painting.
    void freeze(ui::Toolkit& toolkit);

    // For loops over many rows: the point of a record, and once frozen a coordinate (column 3, 4 or 5) as
    // it shows. Unchecked: the record is one a row stands for.
    int32_t point(int32_t record) const { return points_[size_t(record)]; }
    bool frozen() const { return frozen_; }
    double coordinate(int32_t record, int32_t column) const {
        return coordinates_[3 * size_t(record) + size_t(column - 3)];
    }

    automation::Value cell(int32_t record, int32_t column) const override;
    std::optional<automation::TextView> textView(int32_t record, int32_t column) const override;
    std::optional<int32_t> longCell(int32_t record, int32_t column) const override;

  private:
    // Where a frozen record's three texts (name, code, layer) stand in the copy's texts: offset and length.
    struct TextPlaces {
        uint32_t text[3][2];
    };
    std::optional<automation::TextView> liveText(int32_t p, int32_t column) const;
    std::optional<automation::TextView> frozenText(int32_t record, int32_t column) const;

    const automation::DoubleArray& X_;
    const automation::DoubleArray& Y_;
    const automation::DoubleArray& Z_;
    const automation::TextArray& Nombre_;
    const automation::TextArray& Código_;
    const automation::IntegerArray& CapaPuntos_;
    const automation::TextArray& Capas_;

    // Makes the copy; false when a handler that ran during a yield froze or filled the records meanwhile.
    bool copy(ui::Toolkit& toolkit);

    std::vector<int32_t> points_;
    uint64_t fills_ = 0;
    bool frozen_ = false;
    // The frozen records: their X, Y and Z side by side (what a whole-table read takes first), then where
    // their texts stand.
    std::vector<double> coordinates_;
    std::vector<TextPlaces> places_;
    std::vector<char16_t> texts_;
};

}  // namespace orv::editor
