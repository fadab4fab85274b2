#include "ui/table/vertex_table.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "automation/fixed_decimal_text.h"
#include "automation/number_reading.h"
#include "automation/standard_errors.h"
#include "ui/event_boundary.h"
#include "ui/form.h"
#include "ui/table/cell_store.h"

namespace orv::ui {

namespace {

using automation::toUtf8;
namespace error_number = automation::error_number;

std::string quoted(const Text& text) {
    return '"' + toUtf8(text) + '"';
}
std::string truth(bool value) {
    return value ? "True" : "False";
}

// The grid's own size before the editor sets it.
constexpr int32_t kDefaultRows = 3;
constexpr int32_t kDefaultCols = 4;

}  // namespace

VertexTable::VertexTable(ui::Form& form, std::string name, int16_t index, ui::Control* parent)
    : Control(form, std::move(name), index, parent) {
    cells_.resize(kDefaultRows, kDefaultCols);
    columns_.resize(kDefaultCols);
}

VertexTable::~VertexTable() = default;

int32_t VertexTable::Cols() const {
    return cells_.cols();
}

void VertexTable::setCols(int32_t cols) {
    if (cols < 0) automation::raiseStandardError(error_number::kInvalidPropertyValue);
    cells_.resize(Rows(), cols);
    columns_.resize(size_t(cols));
    memberCalls_.push_back("Cols = " + std::to_string(cols));
    keepCursorInside();
    changed(ui::Property::Content);
}

int32_t VertexTable::Rows() const {
    return cells_.rows();
}

void VertexTable::setRows(int32_t rows) {
    if (rows < 0) automation::raiseStandardError(error_number::kInvalidPropertyValue);
    cells_.resize(rows, Cols());
    memberCalls_.push_back("Rows = " + std::to_string(rows));
    keepCursorInside();
    changed(ui::Property::Content);
}

void VertexTable::SetFileContext(const Text& appKey, const Text& title, const Text& pattern) {
    memberCalls_.push_back("SetFileContext(" + quoted(appKey) + ", " + quoted(title) + ", " +
                           quoted(pattern) + ")");
}

void VertexTable::SetColumn(int16_t column, bool flagA, bool flagB, int32_t kind, int16_t decimals,
                            int32_t style, int32_t option, int16_t width, const Text& header) {
    if (column < 0 || column >= Cols()) automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    columns_[size_t(column)] = ColumnDefinition{flagA, flagB, kind, decimals, style, option, width, header};
    memberCalls_.push_back("SetColumn(" + std::to_string(column) + ", " + truth(flagA) + ", " + truth(flagB) +
                           ", " + std::to_string(kind) + ", " + std::to_string(decimals) + ", " +
                           std::to_string(style) + ", " + std::to_string(option) + ", " +
                           std::to_string(width) + ", " + quoted(header) + ")");
}

void VertexTable::ApplyColumns() {
    memberCalls_.push_back("ApplyColumns");
    changed(ui::Property::Content);
}

void VertexTable::Refresh() {
    memberCalls_.push_back("Refresh");
    changed(ui::Property::Content);
}

void VertexTable::SetMode(bool mode) {
    memberCalls_.push_back("SetMode(" + truth(mode) + ")");
}

void VertexTable::Prepare() {
    memberCalls_.push_back("Prepare");
}

void VertexTable::SetFilePattern(const Text& appKey, const Text& pattern) {
    memberCalls_.push_back("SetFilePattern(" + quoted(appKey) + ", " + quoted(pattern) + ")");
}

Value VertexTable::Cell(int32_t row, int32_t column) const {
    if (row < 0 || row >= Rows() || column < 0 || column >= Cols())
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    if (const int32_t record = cells_.recordOf(row, column); record != CellStore::kNoRecord)
        return source_ ? source_->cell(record, column) : Value();
    return cells_.get(row, column);
}

void VertexTable::setRowSource(const RowSource* source) {
    source_ = source;
    changed(ui::Property::Content);
}

void VertexTable::showRecords(int32_t firstRow, int32_t count, int32_t firstRecord) {
    if (count < 0 || firstRow < 1 || count > Rows() - firstRow || firstRecord < 0 ||
        count > std::numeric_limits<int32_t>::max() - firstRecord)
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    cells_.setRecords(firstRow, count, firstRecord);
    changed(ui::Property::Content);
}

void VertexTable::keepRowCells(int32_t row) {
    checkDataCell(row, 0);
    if (cells_.record(row) == CellStore::kNoRecord) return;
    for (int32_t column = 0; column < Cols(); ++column)
        if (cells_.recordOf(row, column) != CellStore::kNoRecord) cells_.set(row, column, Cell(row, column));
    cells_.clearRecord(row);
}

void VertexTable::setCell(int32_t row, int32_t column, const Value& value) {
    if (row < 0 || row >= Rows() || column < 0 || column >= Cols())
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    cells_.set(row, column, value);
    changed(ui::Property::Content);
}

void VertexTable::setCellText(int32_t row, int32_t column, automation::TextView text) {
    if (row < 0 || row >= Rows() || column < 0 || column >= Cols())
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    cells_.setText(row, column, text);
    changed(ui::Property::Content);
}

void VertexTable::setLongs(int32_t firstRow, int32_t column, const int32_t* values, int32_t count) {
    if (count < 0 || firstRow < 0 || count > Rows() - firstRow || column < 0 || column >= Cols())
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    cells_.setLongs(firstRow, column, values, count);
    changed(ui::Property::Content);
}

std::optional<int32_t> VertexTable::readWholeNumber(int32_t row, int32_t column) const {
    return automation::tryReadWholeNumber(Cell(row, column));
}

int32_t VertexTable::CurrentRow() const {
    return currentRow_;
}

const ColumnDefinition& VertexTable::column(int32_t column) const {
    if (column < 0 || column >= Cols()) automation::raiseStandardError(error_number::kSubscriptOutOfRange);
    return columns_[size_t(column)];
}

int32_t VertexTable::currentColumn() const {
    return currentColumn_;
}

void VertexTable::placeCursor(int32_t row, int32_t column) {
    checkDataCell(row, column);
    currentRow_ = row;
    currentColumn_ = column;
    // The view draws the cursor from the model: let it redraw.
    changed(ui::Property::Content);
}

Text VertexTable::displayText(int32_t row, int32_t column, automation::NumberLocale locale) const {
    const Value value = Cell(row, column);
    const ColumnDefinition& definition = columns_[size_t(column)];
    if (row == 0 && std::holds_alternative<std::monostate>(value)) return definition.header;
    if (const auto* real = std::get_if<double>(&value); real && definition.kind == 2)
        return automation::fixedDecimalText(*real, definition.decimals, locale);
    return automation::valueText(value, locale);
}

Text VertexTable::editText(int32_t row, int32_t column, automation::NumberLocale locale) const {
    return automation::valueText(Cell(row, column), locale);
}

bool VertexTable::deferredWhileLocked(std::function<void()> action) {
    if (locks_ == 0) return false;
    ui::runEventHandler(form().toolkit(), [&] { waiting_.push_back(std::move(action)); });
    return true;
}

void VertexTable::unlock() noexcept {
    if (--locks_ > 0) return;
    // Each runs behind the event boundary: nothing escapes. One that locks again keeps the rest waiting.
    while (locks_ == 0 && !waiting_.empty()) {
        const std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        next();
    }
}

void VertexTable::userMovesTo(int32_t row, int32_t column) {
    if (deferredWhileLocked([=, this] { userMovesTo(row, column); })) return;
    ui::runEventHandler(form().toolkit(), [&] {
        checkDataCell(row, column);
        moveCursor(row, column);
    });
}

void VertexTable::userCommits(int32_t row, int32_t column, const Text& text,
                              automation::NumberLocale locale) {
    if (deferredWhileLocked([=, this] { userCommits(row, column, text, locale); })) return;
    ui::runEventHandler(form().toolkit(), [&] {
        checkDataCell(row, column);
        moveCursor(row, column);
        // The row's own RowEnter may have changed the table under the edit.
        checkDataCell(row, column);
        if (text == editText(row, column, locale)) return;
        commitCells({EditedCell{row, column, Cell(row, column)}}, {text});
    });
}

void VertexTable::userPastesRow(int32_t row, int32_t column, const std::vector<Text>& texts,
                                automation::NumberLocale locale) {
    if (deferredWhileLocked([=, this] { userPastesRow(row, column, texts, locale); })) return;
    ui::runEventHandler(form().toolkit(), [&] {
        checkDataCell(row, column);
        moveCursor(row, column);
        checkDataCell(row, column);
        std::vector<EditedCell> cells;
        std::vector<Text> changed;
        for (size_t i = 0; i < texts.size() && column + int64_t(i) < Cols(); ++i) {
            const int32_t at = column + static_cast<int32_t>(i);
            if (texts[i] == editText(row, at, locale)) continue;
            cells.push_back(EditedCell{row, at, Cell(row, at)});
            changed.push_back(texts[i]);
        }
        if (!cells.empty()) commitCells(cells, changed);
    });
}

void VertexTable::commitCells(const std::vector<EditedCell>& cells, const std::vector<Text>& texts) {
    for (size_t i = 0; i < cells.size(); ++i) setCell(cells[i].row, cells[i].column, texts[i]);
    committed_ = cells;
    // Only the handler of this commit may take it back, even when it fails.
    struct Forget {
        std::vector<EditedCell>& cells;
        ~Forget() { cells.clear(); }
    } forget{committed_};
    raise(CellCommit);
}

void VertexTable::revertCommit() {
    for (const EditedCell& cell : committed_)
        if (cell.row < Rows() && cell.column < Cols()) setCell(cell.row, cell.column, cell.before);
}

void VertexTable::finishOpenEdit() {
    // A copy: the view may drop its hook while the edit's handlers run.
    if (const std::function<void()> hook = finishEdit) hook();
}

void VertexTable::userInsertsRow(int32_t after) {
    if (deferredWhileLocked([=, this] { userInsertsRow(after); })) return;
    ui::runEventHandler(form().toolkit(), [&] {
        if (after < 0 || after >= Rows()) automation::raiseStandardError(error_number::kSubscriptOutOfRange);
        cells_.insertRows(after + 1, 1);
        if (currentRow_ > after) ++currentRow_;
        keepCursorInside();
        changed(ui::Property::Content);
    });
}

void VertexTable::userRemovesRows(int32_t first, int32_t count) {
    if (deferredWhileLocked([=, this] { userRemovesRows(first, count); })) return;
    ui::runEventHandler(form().toolkit(), [&] {
        if (first < 1 || count < 0 || count > Rows() - first)
            automation::raiseStandardError(error_number::kSubscriptOutOfRange);
        cells_.removeRows(first, count);
        if (currentRow_ >= first + count)
            currentRow_ -= count;
        else if (currentRow_ > first)
            currentRow_ = first;
        keepCursorInside();
        changed(ui::Property::Content);
    });
}

size_t VertexTable::storageBytes() const {
    return cells_.bytes();
}

void VertexTable::raise(const std::function<void()>& event) {
    // A copy: the handler may replace the table's handlers while it runs.
    if (const std::function<void()> handler = event) handler();
}

void VertexTable::keepCursorInside() {
    currentRow_ = Rows() > 1 ? std::clamp(currentRow_, 1, Rows() - 1) : 0;
    currentColumn_ = Cols() > 0 ? std::clamp(currentColumn_, 0, Cols() - 1) : 0;
}

void VertexTable::checkDataCell(int32_t row, int32_t column) const {
    if (row < 1 || row >= Rows() || column < 0 || column >= Cols())
        automation::raiseStandardError(error_number::kSubscriptOutOfRange);
}

void VertexTable::moveCursor(int32_t row, int32_t column) {
    currentColumn_ = column;
    if (row == currentRow_) return;
    currentRow_ = row;
    raise(RowEnter);
}

}  // namespace orv::ui
