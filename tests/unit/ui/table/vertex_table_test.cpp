// The grid the editor drives: cells as set or typed, rows added and removed, its two events, the texts it
// shows, and the tab-separated text it copies and pastes.
#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "automation/number_reading.h"
#include "automation/standard_errors.h"
#include "support/raised_error.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/table/row_source.h"
#include "ui/table/tab_separated_text.h"
#include "ui/table/vertex_table.h"

namespace orv::ui {
namespace {

using automation::NumberLocale;
using automation::Text;
using automation::Value;
using test::raisedError;
using Events = std::vector<std::string>;

constexpr NumberLocale kComma{u','};

// The editor's table: 8 columns as its load step defines them, events recorded with the row they saw.
class Table : public ::testing::Test {
  protected:
    Table() {
        table.setCols(8);
        table.setRows(2);
        table.SetColumn(0, false, false, 0, 0, 2, 0, 5, u"Vertice");
        table.SetColumn(1, false, false, 4, 0, 2, 0, 7, u" Punto");
        table.SetColumn(3, false, false, 2, 3, 2, 0, 10, u"    X   ");
        table.RowEnter = [this] { events.push_back("RowEnter " + std::to_string(table.CurrentRow())); };
        table.CellCommit = [this] { events.push_back("CellCommit " + std::to_string(table.CurrentRow())); };
    }
    void fill(int32_t rows) {
        table.setRows(rows + 1);
        for (int32_t row = 1; row <= rows; ++row) {
            table.setCell(row, 0, row);
            table.setCell(row, 1, 100 + row);
            table.setCell(row, 2, Text(u"P").append(automation::decimalText(row)));
            table.setCell(row, 3, row + 0.1);
        }
    }
    // Column 1 of every row from 1, and the cursor's row.
    std::string points() const {
        std::string shown;
        for (int32_t row = 1; row < table.Rows(); ++row)
            shown += automation::toUtf8(automation::valueText(table.Cell(row, 1), {})) + " ";
        return shown + "@" + std::to_string(table.CurrentRow());
    }

    HeadlessToolkit toolkit;
    Form form{toolkit, "F_Pol_Edt", u"", BorderStyle::SizableToolWindow};
    VertexTable& table = form.add<VertexTable>("tblPol");
    Events events;
};

TEST_F(Table, CellsKeepWhatWasSetDoublesBitForBitAndOutsideTheTableIsError9) {
    const double max = std::numeric_limits<double>::max(), inf = std::numeric_limits<double>::infinity();
    const double values[] = {
        0.1,       -0.0,  1e-320, max, 4071.9,
        1.0 / 3.0, -1e15, 2.5e-7, inf, std::bit_cast<double>(uint64_t{0x7FF8000000000123})};
    table.setRows(std::size(values) + 1);
    for (size_t i = 0; i < std::size(values); ++i) table.setCell(int32_t(i + 1), 3, values[i]);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(std::bit_cast<uint64_t>(std::get<double>(table.Cell(int32_t(i + 1), 3))),
                  std::bit_cast<uint64_t>(values[i]));
    table.setCell(1, 1, int32_t{-2147483647 - 1});
    table.setCell(1, 2, u"Vértice ñ");
    table.setCell(1, 4, u"");
    EXPECT_EQ(std::vector<Value>({table.Cell(1, 1), table.Cell(1, 2), table.Cell(1, 4), table.Cell(1, 7)}),
              std::vector<Value>({int32_t{-2147483647 - 1}, Text(u"Vértice ñ"), Text(), Value()}));
    for (const auto& [row, column] : {std::pair{11, 0}, {0, 8}, {-1, 0}})
        EXPECT_EQ(raisedError([&] { table.Cell(row, column); }), 9) << row << "," << column;
    for (auto outside : std::initializer_list<std::function<void()>>{
             [&] { table.setCell(1, -1, 1); }, [&] { table.setCell(1, 8, 1); }, [&] { table.column(8); },
             [&] { table.SetColumn(8, false, false, 0, 0, 0, 0, 0, u""); }})
        EXPECT_EQ(raisedError(outside), 9);
    EXPECT_EQ(raisedError([&] { table.column(0); }), 0);  // the first column is a column
    EXPECT_EQ(raisedError([&] { table.setRows(-1); }), 380);
}

TEST_F(Table, RowsKeepTheHeaderAddEmptyRowsAndForgetDroppedOnesAndFewerColumnsKeepWhatFits) {
    table.setCell(0, 0, u"Vertice");
    fill(3);
    table.userMovesTo(3, 1);
    table.setRows(2);  // the cursor's row dropped: it stays inside, on the last row
    table.setRows(4);
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(std::vector<Value>({table.Cell(0, 0), table.Cell(1, 2), table.Cell(2, 2), table.Cell(3, 3)}),
              std::vector<Value>({Text(u"Vertice"), Text(u"P1"), Value(), Value()}));
    table.setCols(3);
    EXPECT_EQ(table.Cell(1, 2), Value(Text(u"P1")));
    EXPECT_EQ(raisedError([&] { table.Cell(1, 3); }), 9);
}

TEST_F(Table, DisplayAndEditTexts) {
    fill(1);
    table.setCell(1, 3, 1234.56789);
    table.setCell(1, 4, 0.1);  // a Double outside a kind 2 column: shortest form
    EXPECT_EQ(table.displayText(1, 3, kComma), u"1234,568");
    EXPECT_EQ(table.editText(1, 3, kComma), u"1234,56789");
    EXPECT_EQ(table.displayText(1, 4, NumberLocale{}), u"0.1");
    EXPECT_EQ(table.displayText(1, 1, kComma) + table.displayText(1, 2, kComma), u"101P1");
    EXPECT_EQ(table.displayText(0, 1, kComma), u" Punto");  // an empty header cell shows its column's header
    table.setCell(0, 1, u"Nº");
    EXPECT_EQ(table.displayText(0, 1, kComma), u"Nº");
    table.setCell(1, 3, -0.0001);
    EXPECT_EQ(table.displayText(1, 3, kComma), u"0,000");
}

TEST_F(Table, RowEnterOnlyWhenTheRowChangesAndACommitStoresTheTextOnlyWhenItDiffersFromTheEditText) {
    fill(4);
    table.userMovesTo(1, 2);
    table.userMovesTo(3, 2);
    table.userMovesTo(3, 5);
    table.userMovesTo(1, 0);
    EXPECT_EQ(table.currentColumn(), 0);
    table.userCommits(1, 3, u"1,1", kComma);  // what the cell showed for editing: no change, no commit
    EXPECT_TRUE(std::holds_alternative<double>(table.Cell(1, 3)));
    table.userCommits(1, 3, u"1,100", kComma);
    EXPECT_EQ(table.Cell(1, 3), Value(Text(u"1,100")));
    table.userCommits(2, 1, u"7", kComma);  // another row: the cursor moves there first
    EXPECT_EQ(table.Cell(2, 1), Value(Text(u"7")));
    EXPECT_EQ(events, (Events{"RowEnter 3", "RowEnter 1", "CellCommit 1", "RowEnter 2", "CellCommit 2"}));
}

TEST_F(Table, HandlerFailuresAndBadCellsAreRefusedBehindTheBoundary) {
    fill(2);
    table.CellCommit = [] { automation::raiseStandardError(13); };
    // The header row takes no cursor.
    for (auto refused : std::initializer_list<std::function<void()>>{
             [&] { table.userCommits(1, 3, u"x", kComma); }, [&] { table.userMovesTo(0, 1); },
             [&] { table.userMovesTo(1, 9); }, [&] { table.userRemovesRows(0, 1); },
             [&] { table.userRemovesRows(1, 3); }, [&] { table.userInsertsRow(3); }})
        EXPECT_NO_THROW(refused());
    ASSERT_EQ(toolkit.messageBoxes().size(), 6u);
    EXPECT_EQ(toolkit.messageBoxes()[0].text, u"Error nº 13: No coinciden los tipos");
    EXPECT_EQ(toolkit.messageBoxes()[1].text, u"Error nº 9: El subíndice está fuera del intervalo");
    EXPECT_EQ(table.Cell(1, 3), Value(Text(u"x")));
    EXPECT_EQ(points(), "101 102 @1");
}

TEST_F(Table, InsertAndRemoveRowsKeepTheCursorOnItsRowWithoutEvents) {
    fill(5);
    table.userMovesTo(3, 1);
    events.clear();
    table.userInsertsRow(1);  // a new row 2, empty
    EXPECT_EQ(points(), "101  102 103 104 105 @4");
    table.userInsertsRow(5);  // below the cursor
    EXPECT_EQ(points(), "101  102 103 104  105 @4");
    table.userRemovesRows(2, 1);  // above the cursor
    EXPECT_EQ(points(), "101 102 103 104  105 @3");
    table.userRemovesRows(3, 2);  // the cursor's row among them: the first row after the gap
    EXPECT_EQ(points(), "101 102  105 @3");
    table.userRemovesRows(1, 1);  // just above
    EXPECT_EQ(points(), "102  105 @2");
    table.userRemovesRows(3, 1);  // below
    EXPECT_EQ(points(), "102  @2");
    table.userRemovesRows(1, 2);
    EXPECT_EQ(points(), "@0");
    table.userInsertsRow(0);
    EXPECT_EQ(points(), " @1");
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(toolkit.messageBoxes().empty());
}

// Records k: vertex k, point 100 + k, name "R<k>"; the name of record 3 may change.
struct Records : RowSource {
    Value cell(int32_t record, int32_t column) const override {
        if (const auto number = longCell(record, column)) return *number;
        if (const auto text = textView(record, column)) return Text(*text);
        return Value();
    }
    std::optional<automation::TextView> textView(int32_t record, int32_t column) const override {
        if (column != 2) return std::nullopt;
        names[size_t(record)] = record == 3 ? renamed : Text(u"R").append(automation::decimalText(record));
        return names[size_t(record)];
    }
    std::optional<int32_t> longCell(int32_t record, int32_t column) const override {
        if (column > 1) return std::nullopt;
        return column == 0 ? record : 100 + record;
    }
    Text renamed = u"R3";
    mutable Text names[20];
};

TEST_F(Table, RowsStandingForRecordsReadThemUntilACellIsSetAndMoveWithTheirRows) {
    Records records;
    fill(5);
    table.setCell(0, 0, u"Vertice");
    table.showRecords(2, 3, 1);  // rows 2..4: records 1..3; what they held is gone
    EXPECT_EQ(points(), "101    105 @1");
    table.setRowSource(&records);
    EXPECT_EQ(points(), "101 101 102 103 105 @1");
    EXPECT_EQ(std::vector<Value>({table.Cell(2, 0), table.Cell(3, 2), table.Cell(3, 3), table.Cell(0, 0)}),
              std::vector<Value>({1, Text(u"R2"), Value(), Text(u"Vertice")}));
    EXPECT_EQ(*table.textView(4, 2), u"R3");
    EXPECT_EQ(table.wholeNumber(4, 1), 103);
    // A set cell keeps its own value, an emptied one stays empty; the row still reads the rest.
    table.setCell(3, 2, u"propio");
    table.setCell(4, 1, Value());
    table.userInsertsRow(2);
    EXPECT_EQ(points(), "101 101  102  105 @1");
    EXPECT_EQ(table.Cell(4, 2), Value(Text(u"propio")));
    EXPECT_EQ(table.displayText(4, 1, kComma), u"102");
    table.userRemovesRows(1, 2);
    EXPECT_EQ(points(), " 102  105 @1");
    // A row that keeps its cells no longer follows its record.
    table.keepRowCells(3);
    records.renamed = u"otro";
    EXPECT_EQ(table.Cell(3, 2), Value(Text(u"R3")));
    table.setRows(3);
    table.setRows(5);  // rows added below stand for nothing
    EXPECT_EQ(points(), " 102   @1");
    for (const auto& [first, count] : {std::pair{0, 1}, {4, 2}, {1, -1}})
        EXPECT_EQ(raisedError([&] { table.showRecords(first, count, 0); }), 9) << first << "," << count;
    EXPECT_EQ(raisedError([&] { table.showRecords(1, 0, 0); }), 0);
    // Longs down a column from any row, the header's and the first column's too.
    const int32_t longs[] = {7, 8};
    EXPECT_EQ(raisedError([&] { table.setLongs(0, 0, longs, 2); }), 0);
    EXPECT_EQ(std::vector<Value>({table.Cell(0, 0), table.Cell(1, 0)}), std::vector<Value>({7, 8}));
    for (const auto& [first, column] : {std::pair{-1, 1}, {4, 1}, {1, -1}, {1, 8}})
        EXPECT_EQ(raisedError([&] { table.setLongs(first, column, longs, 2); }), 9) << first << "," << column;
    table.setRowSource(nullptr);
    EXPECT_EQ(table.Cell(2, 1), Value());
    table.setCell(1, 2, u"texto");
    table.setCell(1, 2, Value());  // a row that stands for nothing: its emptied cell is empty
    EXPECT_EQ(table.Cell(1, 2), Value());
}

// The view redraws from the model: every change the user could see is told to it.
TEST_F(Table, TheViewHearsOfEveryChange) {
    struct Counter : ControlObserver {
        void controlChanged(Control&, Property property) override { count += property == Property::Content; }
        int count = 0;
    } view;
    form.setObserver(&view);
    fill(3);
    int step = 0;
    for (auto change : std::initializer_list<std::function<void()>>{
             [&] { table.setCols(8); }, [&] { table.setRows(4); }, [&] { table.ApplyColumns(); },
             [&] { table.Refresh(); }, [&] { table.setCell(1, 2, u"Uno"); },
             [&] { table.setCellText(1, 2, u"Otro"); }, [&] { table.userInsertsRow(1); },
             [&] { table.userRemovesRows(1, 1); }}) {
        const int before = view.count;
        change();
        EXPECT_GT(view.count, before) << step++;
    }
}

TEST_F(Table, RewritingTextsCompactsTheArena) {
    fill(1);
    for (int i = 0; i < 100000; ++i) table.setCell(1, 2, Text(u"texto ").append(automation::decimalText(i)));
    EXPECT_EQ(table.Cell(1, 2), Value(Text(u"texto 99999")));
    EXPECT_EQ(table.Cell(1, 6), Value());
    EXPECT_LT(table.storageBytes(), size_t{1} << 20);
    // Removed rows give their texts' storage back.
    table.setRows(2001);
    for (int32_t row = 1; row <= 2000; ++row)
        table.setCell(row, 2, Text(200, u'x').append(automation::decimalText(row)));
    const size_t full = table.storageBytes();
    table.userRemovesRows(1, 1999);
    EXPECT_LT(table.storageBytes() * 4, full);
    // So do the rows a shorter table drops.
    table.setRows(2001);
    for (int32_t row = 1; row <= 2000; ++row)
        table.setCell(row, 2, Text(200, u'y').append(automation::decimalText(row)));
    table.setRows(2);
    EXPECT_LT(table.storageBytes() * 4, full);
}

TEST(TabSeparatedText, WritesRowsAsASpreadsheetPastesThemAndReadsBackAnyLineEnd) {
    const TextRows rows{{u"1", u"P1", u"10.5"}, {u"2", u"", u"-3"}};
    EXPECT_EQ(writeTabSeparated(rows), u"1\tP1\t10.5\r\n2\t\t-3\r\n");
    // Cells holding separators or quotes are quoted.
    const TextRows awkward{{u"a\tb", u"say \"hi\"", u"two\nlines"}, {u"Capa \"1\"", u""}};
    EXPECT_EQ(writeTabSeparated(awkward),
              u"\"a\tb\"\t\"say \"\"hi\"\"\"\t\"two\nlines\"\r\n\"Capa \"\"1\"\"\"\t\r\n");
    EXPECT_EQ(readTabSeparated(writeTabSeparated(awkward)), awkward);
    EXPECT_EQ(readTabSeparated(u"1\t2\r\n3\t4\n5\t6\r7\t8\r\n"),
              (TextRows{{u"1", u"2"}, {u"3", u"4"}, {u"5", u"6"}, {u"7", u"8"}}));
    EXPECT_EQ(readTabSeparated(u"1\t2"), (TextRows{{u"1", u"2"}}));
    EXPECT_EQ(readTabSeparated(u"\t\tx\r\n\r\ny\t\r\n"), (TextRows{{u"", u"", u"x"}, {u""}, {u"y", u""}}));
    EXPECT_TRUE(readTabSeparated(u"").empty());
}

}  // namespace
}  // namespace orv::ui
