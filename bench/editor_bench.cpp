// The editor's work per vertex is constant: opening it (copy and fill), committing a cell (which lists the
// valid vertices of every row) and "Aceptar" (which reads every row back) each cost time in proportion to the
// rows. Complexity is fitted over 10^3 to 10^6 vertices and should come out O(N).
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "collaborators/memory_placement_store.h"
#include "collaborators/plain_number_converter.h"
#include "dialog/dialog_events.h"
#include "dialog/dialog_services.h"
#include "editor/f_pol_edt.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/table/vertex_table.h"

namespace {

using namespace orv;
using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::Text;
using automation::TextArray;

class BenchServices : public dialog::DialogServices {
  public:
    ui::Toolkit& toolkit() override { return toolkit_; }
    collaborators::FormPlacementStore& placementStore() override { return placements_; }
    collaborators::NumberTextConverter& converter() override { return converter_; }
    std::unique_ptr<collaborators::ColorPicker> createColorPicker() override { return nullptr; }
    automation::NumberLocale numberLocale() override { return {}; }
    ui::HeadlessToolkit& headless() { return toolkit_; }

  private:
    ui::HeadlessToolkit toolkit_;
    collaborators::MemoryPlacementStore placements_;
    collaborators::PlainNumberConverter converter_;
};

// A host that takes everything and keeps nothing.
class QuietHost : public dialog::DialogEvents {
  public:
    void Cancela() override {}
    void RetornaPunto(int32_t&, int32_t&) override {}
    void RetornaOpcion(int32_t&, int32_t&, DoubleArray&, DoubleArray&, DoubleArray&, TextArray&, TextArray&,
                       IntegerArray&, int32_t&, LongArray&, int16_t&, int32_t&, int32_t&) override {}
    void ZoomR(automation::VariantBool&, int32_t&, int32_t&) override {}
    void newPolCambia(int32_t&, LongArray&, int16_t&, int32_t&, int32_t&) override {}
};

// n points, and one polyline through all of them in order.
struct Drawing {
    explicit Drawing(int32_t n)
        : X(0, n), Y(0, n), Z(0, n), Nombre(0, n), Código(0, n), CapaPuntos(0, n), Capas(0, 4), VertP(1, n) {
        nPtos = n;
        for (int32_t p = 1; p <= n; ++p) {
            X(p) = 450000 + p * 0.001;
            Y(p) = 4400000 + p * 0.002;
            Z(p) = 100 + p / 3.0;
            Nombre.set(p, u"P" + automation::decimalText(p));
            Código.set(p, u"COD");
            CapaPuntos(p) = static_cast<int16_t>(1 + p % 4);
            VertP(p) = p;
        }
        for (int32_t k = 0; k <= 4; ++k) Capas.set(k, u"Capa " + automation::decimalText(k));
    }

    int32_t nPtos = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    int32_t noCapas = 4;
    TextArray Capas;
    int32_t PolN = 1;
    LongArray VertP;
    int16_t capP = 1;
    int32_t NoPoli = 1;
    int32_t colPol = 255;
};

// Opens an editor on the drawing and runs the action while it is shown; the editor then closes.
void withEditor(BenchServices& services, Drawing& d, const std::function<void(ui::Form&)>& action) {
    QuietHost host;
    editor::F_Pol_Edt dialog(services, host);
    services.headless().script([&] { action(*services.headless().activeForm()); });
    automation::ObjectRef frm;
    dialog.CargaBarra1(frm, 1, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos, d.noCapas, d.Capas,
                       d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
}

ui::CommandButton& button(ui::Form& form, const char* name) {
    return dynamic_cast<ui::CommandButton&>(*form.find(name));
}

void BM_EditorOpen(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    BenchServices services;
    Drawing drawing(n);
    for (auto _ : state)
        withEditor(services, drawing, [](ui::Form& form) { button(form, "cmdCancelar").click(); });
    state.SetComplexityN(n);
}

void BM_EditorCellCommit(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    BenchServices services;
    Drawing drawing(n);
    withEditor(services, drawing, [&](ui::Form& form) {
        auto& table = dynamic_cast<ui::VertexTable&>(*form.find("tblPol"));
        int edit = 0;
        for (auto _ : state) table.userCommits(n / 2, 3, ++edit % 2 ? u"1.5" : u"2.5", {});
    });
    state.SetComplexityN(n);
}

void BM_EditorAceptar(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    BenchServices services;
    Drawing drawing(n);
    withEditor(services, drawing, [&](ui::Form& form) {
        auto& aceptar = button(form, "cmdRedibuja");
        for (auto _ : state) aceptar.click();
    });
    state.SetComplexityN(n);
}

BENCHMARK(BM_EditorOpen)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_EditorCellCommit)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_EditorAceptar)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
