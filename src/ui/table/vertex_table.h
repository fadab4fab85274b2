#pragma once
// The grid behind the editor's table (the members the editor drives by name) and what a grid view or a test
// does to it as the user would. Cells keep exactly what was set (text, Long or Double) or typed (text);
// formatting for display is separate. Storage is flat: no heap object per cell, so 10^6 rows x 8 columns fit.
// A fill of many rows may instead make each row stand for a record of a RowSource: its cells not set since
// read from there.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/number_locale.h"
#include "automation/value.h"
#include "ui/control.h"
#include "ui/table/cell_store.h"
#include "ui/table/row_source.h"

namespace orv::ui {

using automation::Text;
using automation::Value;

struct ColumnDefinition {
    bool flagA = false, flagB = false;
    int32_t kind = 0;  // 2: numbers shown with `decimals` decimals
    int16_t decimals = 0;
    int32_t style = 0, option = 0;
    int16_t width = 0;  // in characters
    Text header;
};

class VertexTable : public ui::Control {
  public:
    VertexTable(ui::Form& form, std::string name, int16_t index, ui::Control* parent);
    ~VertexTable() override;
    ui::ControlKind kind() const override { return ui::ControlKind::Table; }
    bool takesFocus() const override { return true; }

    // --- The members the editor uses ---
    int32_t Cols() const;
    void setCols(int32_t cols);
    int32_t Rows() const;
    void setRows(int32_t rows);  // row 0 is the header row; new rows are empty, dropped rows forgotten
    void SetFileContext(const Text& appKey, const Text& title, const Text& pattern);
    void SetColumn(int16_t column, bool flagA, bool flagB, int32_t kind, int16_t decimals, int32_t style,
                   int32_t option, int16_t width, const Text& header);
    void ApplyColumns();
    void Refresh();
    void SetMode(bool mode);
    void Prepare();
    void SetFilePattern(const Text& appKey, const Text& pattern);
    // Outside the table: error 9.
    Value Cell(int32_t row, int32_t column) const;
    void setCell(int32_t row, int32_t column, const Value& value);
    int32_t CurrentRow() const;
    // The same as setting Cell to the text, without a value of its own first: for fills of many rows.
    void setCellText(int32_t row, int32_t column, automation::TextView text);
    // The same as setting Cell to each value as a Long, down the column from firstRow. Outside: error 9.
    void setLongs(int32_t firstRow, int32_t column, const int32_t* values, int32_t count);
    // The lenient whole number of a cell (a Long is itself, a Double rounded, text read, empty 0); nothing
    // when it does not fit 32 bits. A Long is read without building the cell's value: the editor reads the
    // point numbers of every row on each commit. Outside the table: error 9.
    std::optional<int32_t> wholeNumber(int32_t row, int32_t column) const {
        int32_t number = 0;
        if (row >= 0 && row < cells_.rows() && column >= 0 && column < cells_.cols()) {
            if (cells_.getLong(row, column, number)) return number;
            if (const int32_t record = cells_.recordOf(row, column);
                record != CellStore::kNoRecord && source_)
                if (const std::optional<int32_t> value = source_->longCell(record, column)) return value;
        }
        return readWholeNumber(row, column);
    }

    // A text cell's text without a copy (valid until the table changes); nothing for a number, an empty cell
    // or a cell outside the table. For reading many rows back.
    std::optional<automation::TextView> textView(int32_t row, int32_t column) const {
        automation::TextView text;
        if (row < 0 || row >= cells_.rows() || column < 0 || column >= cells_.cols()) return std::nullopt;
        if (cells_.getText(row, column, text)) return text;
        if (const int32_t record = cells_.recordOf(row, column); record != CellStore::kNoRecord && source_)
            return source_->textView(record, column);
        return std::nullopt;
    }

    // Rows that stand for records of a source (see RowSource): a fill of many rows from data the program
    // holds. The source must outlive the table's use of it.
    void setRowSource(const RowSource* source);
    // Rows firstRow.. stand for the records firstRecord.. (one each, in order) until a cell of theirs is
    // set, which keeps its own value from then on. Outside the data rows: error 9.
    void showRecords(int32_t firstRow, int32_t count, int32_t firstRecord);
    // The record a cell is read from, or CellStore::kNoRecord (also outside the table): for a program that
    // reads many cells of its own records directly.
    int32_t recordOf(int32_t row, int32_t column) const {
        if (row < 0 || row >= cells_.rows() || column < 0 || column >= cells_.cols())
            return CellStore::kNoRecord;
        return cells_.recordOf(row, column);
    }
    // The row keeps what its cells show as its own and stands for no record any more: for a row that the
    // source is about to stop answering for.
    void keepRowCells(int32_t row);

    std::function<void()> RowEnter;
    std::function<void()> CellCommit;

    // While CellCommit runs: puts the cells the user's edit changed back to what they held before it, for a
    // handler that refuses the edit.
    void revertCommit();
    // Set by a view that edits cells in place: ends an edit still open as the user's commit (does nothing
    // when none is open). The editor runs it before it reads the whole table, so that the edit is part of it.
    std::function<void()> finishEdit;
    void finishOpenEdit();

    // A long read or write of the whole table that yields locks its rows: what the user does to the table
    // meanwhile (a move, an edit, a paste, an inserted or removed row) waits, in order, and is carried out
    // when the last lock goes, on the table and the data as the long work left them. Nothing typed is lost,
    // and no edit lands between a row read and its write.
    class RowLock {
      public:
        explicit RowLock(VertexTable& table) : table_(&table) { ++table.locks_; }
        ~RowLock() { table_->unlock(); }
        RowLock(const RowLock&) = delete;
        RowLock& operator=(const RowLock&) = delete;

      private:
        VertexTable* table_;
    };
    [[nodiscard]] RowLock lockRows() { return RowLock(*this); }
    bool rowsLocked() const { return locks_ > 0; }

    // --- For views and tests ---
    // Outside the columns: error 9.
    const ColumnDefinition& column(int32_t column) const;
    int32_t currentColumn() const;
    // The program puts the cursor on a cell, as the editor does to show a cell it refused: no RowEnter.
    void placeCursor(int32_t row, int32_t column);
    // The text a cell shows: Doubles in a kind 2 column with its decimals and the locale's separator, others
    // plainly (Doubles in shortest round-trip form); an empty cell of the header row shows its column's
    // header.
    Text displayText(int32_t row, int32_t column, automation::NumberLocale locale) const;
    // The text an in-place editor starts from: reads back to the same value (shortest round-trip digits).
    Text editText(int32_t row, int32_t column, automation::NumberLocale locale) const;

    // Every user path runs behind the event boundary: a cell outside the data rows (1..Rows-1) or the columns
    // is refused there with error 9, and so is whatever the handlers raise.
    //
    // The user moves the cursor; RowEnter when the row changes.
    void userMovesTo(int32_t row, int32_t column);
    // The user finished an edit of a cell (of another row: the cursor moves there first, with its RowEnter):
    // the text is stored and CellCommit raised, only when it differs from what the cell showed for editing.
    void userCommits(int32_t row, int32_t column, const Text& text, automation::NumberLocale locale);
    // The user pasted cells into a row from `column` on (the cursor moves there first, with its RowEnter):
    // the cells whose text differs are stored and one CellCommit raised, when any did.
    void userPastesRow(int32_t row, int32_t column, const std::vector<Text>& texts,
                       automation::NumberLocale locale);
    // Rows added below `after` (0..Rows-1) / removed (from row 1 on), as the user does with Insert /
    // Ctrl+Delete. They raise no event; the cursor stays on its row, or on the row that took the place of a
    // removed one.
    void userInsertsRow(int32_t after);
    void userRemovesRows(int32_t first, int32_t count);

    // The members the editor drove that leave no trace in the cells (Cols and Rows set, SetFileContext,
    // SetColumn, ApplyColumns, Refresh, SetMode, Prepare, SetFilePattern), in order, as readable UTF-8 lines.
    const std::vector<std::string>& memberCalls() const { return memberCalls_; }
    // Bytes the cells take (reserved storage included), for the benchmarks.
    size_t storageBytes() const;

  private:
    // While locked: keeps the user's action for later and says so.
    bool deferredWhileLocked(std::function<void()> action);
    void unlock() noexcept;
    std::optional<int32_t> readWholeNumber(int32_t row, int32_t column) const;
    void raise(const std::function<void()>& event);
    void keepCursorInside();
    void checkDataCell(int32_t row, int32_t column) const;
    void moveCursor(int32_t row, int32_t column);
    struct EditedCell {
        int32_t row, column;
        Value before;
    };
    // Stores the texts over the cells (recording what they held) and raises CellCommit.
    void commitCells(const std::vector<EditedCell>& cells, const std::vector<Text>& texts);

    CellStore cells_;
    const RowSource* source_ = nullptr;
    std::vector<ColumnDefinition> columns_;
    int32_t currentRow_ = 1;
    int32_t currentColumn_ = 1;
    std::vector<std::string> memberCalls_;
    // The cells of the commit whose CellCommit is running, with what they held before it.
    std::vector<EditedCell> committed_;
    int32_t locks_ = 0;
    std::deque<std::function<void()>> waiting_;
};

}  // namespace orv::ui
