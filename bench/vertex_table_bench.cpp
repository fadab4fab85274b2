// The editor's table at the size it must hold: 10^6 rows x 8 columns, filled as the editor fills it (Long,
// Long, text, three Doubles, two texts per row). Reports the bytes the cells take, per row and in all.
#include <benchmark/benchmark.h>

#include "automation/number_locale.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/table/vertex_table.h"

namespace {

using orv::ui::VertexTable;

void fillRows(VertexTable& table, int32_t rows) {
    table.setRows(rows + 1);
    for (int32_t row = 1; row <= rows; ++row) {
        table.setCell(row, 0, row);
        table.setCell(row, 1, row);
        table.setCell(row, 2, u"Punto " + orv::automation::decimalText(row));
        table.setCell(row, 3, 450000.0 + row * 0.001);
        table.setCell(row, 4, 4400000.0 + row * 0.002);
        table.setCell(row, 5, 100.0 + row * 0.003);
        table.setCell(row, 6, u"COD");
        table.setCell(row, 7, u"Capa de prueba");
    }
}

void BM_FillMillionRows(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    orv::ui::HeadlessToolkit toolkit;
    for (auto _ : state) {
        orv::ui::Form form{toolkit, "F_Pol_Edt", u"", orv::ui::BorderStyle::SizableToolWindow};
        auto& table = form.add<VertexTable>("tblPol");
        table.setCols(8);
        fillRows(table, rows);
        state.counters["bytes"] = static_cast<double>(table.storageBytes());
        state.counters["bytes_per_row"] = static_cast<double>(table.storageBytes()) / rows;
        benchmark::DoNotOptimize(table.Cell(rows, 5));
    }
    state.SetItemsProcessed(state.iterations() * rows * 8);
}
BENCHMARK(BM_FillMillionRows)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ReadColumnAsText(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    orv::ui::HeadlessToolkit toolkit;
    orv::ui::Form form{toolkit, "F_Pol_Edt", u"", orv::ui::BorderStyle::SizableToolWindow};
    auto& table = form.add<VertexTable>("tblPol");
    table.setCols(8);
    table.SetColumn(3, false, false, 2, 3, 2, 0, 10, u"    X   ");
    fillRows(table, rows);
    const orv::automation::NumberLocale locale{u','};
    for (auto _ : state)
        for (int32_t row = 1; row <= rows; ++row) benchmark::DoNotOptimize(table.displayText(row, 3, locale));
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ReadColumnAsText)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_InsertRowInTheMiddle(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    orv::ui::HeadlessToolkit toolkit;
    orv::ui::Form form{toolkit, "F_Pol_Edt", u"", orv::ui::BorderStyle::SizableToolWindow};
    auto& table = form.add<VertexTable>("tblPol");
    table.setCols(8);
    fillRows(table, rows);
    for (auto _ : state) {
        table.userInsertsRow(rows / 2);
        table.userRemovesRows(rows / 2 + 1, 1);
    }
}
BENCHMARK(BM_InsertRowInTheMiddle)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
