// The editor on the headless toolkit: opening it against a bare copy of the same data, its table routines at
// two sizes (their cost per row must not grow with the rows), and one committed cell against the plain loop
// that any commit has to run (listing the valid vertices of every row).
#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <vector>

#include "common/bench_services.h"
#include "common/bench_size.h"
#include "common/drawing_cache.h"
#include "common/editor_routines.h"
#include "common/writing_host.h"
#include "component/c_enf_pol.h"
#include "dialog/dialog_events.h"
#include "ui/form.h"

namespace orv::bench {
namespace {

// The thread's own processor time: the machine the figures are taken on is shared, and wall time counts the
// other programs' turns too.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The dialog's events go nowhere: the editor's own work is what is timed.
class QuietEvents : public dialog::DialogEvents {
  public:
    void Cancela() override {}
    void RetornaPunto(int32_t& Name, int32_t&) override { benchmark::DoNotOptimize(Name); }
    void RetornaOpcion(int32_t&, int32_t&, DoubleArray&, DoubleArray&, DoubleArray&, TextArray&, TextArray&,
                       IntegerArray&, int32_t&, LongArray& VertP, int16_t&, int32_t&, int32_t&) override {
        benchmark::DoNotOptimize(VertP.count());
    }
    void ZoomR(automation::VariantBool&, int32_t&, int32_t&) override {}
    void newPolCambia(int32_t&, LongArray&, int16_t&, int32_t&, int32_t&) override {}
};

// Opens an editor on the drawing and runs the action while it is shown; the editor then closes.
void withEditor(BenchDrawing& d, const std::function<void(editor::F_Pol_Edt&)>& action) {
    BenchServices services;
    QuietEvents events;
    editor::F_Pol_Edt dialog(services, events);
    services.headless().script([&] { action(dialog); });
    automation::ObjectRef form;
    dialog.CargaBarra1(form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos, d.noCapas,
                       d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
}

// --- Intake: PasaDatos until the editor is ready to be shown, against a bare copy ---

void BM_Intake(benchmark::State& state) {
    BenchDrawing& d = drawingOf(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        BenchServices services;
        WritingHost host;
        component::C_Enf_Pol object(services, host);
        double ready = 0;
        services.headless().script([&] { ready = cpuSeconds(); });
        automation::ObjectRef form;
        const double start = cpuSeconds();
        object.PasaDatos(d.Tipo, form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                         d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
        state.SetIterationTime(ready - start);
        benchmark::DoNotOptimize(host.sum);
    }
}

void BM_BareCopy(benchmark::State& state) {
    BenchDrawing& d = drawingOf(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        const double start = cpuSeconds();
        PlainDrawing copy = plainCopy(d);
        benchmark::DoNotOptimize(copy.Nombre.back().data());
        state.SetIterationTime(cpuSeconds() - start);
    }
}

// The part of the intake the hand-over contract fixes: the same arrays copied into automation arrays, each
// name and code a string of its own.
void BM_AutomationCopy(benchmark::State& state) {
    BenchDrawing& d = drawingOf(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        const double start = cpuSeconds();
        DoubleArray X = d.X, Y = d.Y, Z = d.Z;
        TextArray Nombre = d.Nombre, Código = d.Código, Capas = d.Capas;
        IntegerArray CapaPuntos = d.CapaPuntos;
        state.SetIterationTime(cpuSeconds() - start);
        benchmark::DoNotOptimize(Nombre.raw());
    }
}

const int32_t kMillion = sized(1000000);
BENCHMARK(BM_Intake)->Arg(kMillion)->UseManualTime()->Iterations(repeated(3))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCopy)
    ->Arg(kMillion)
    ->UseManualTime()
    ->Iterations(repeated(3))
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutomationCopy)
    ->Arg(kMillion)
    ->UseManualTime()
    ->Iterations(repeated(3))
    ->Unit(benchmark::kMillisecond);

// --- The table routines, per row ---

template <void (*routine)(editor::F_Pol_Edt&)>
void BM_Routine(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    withEditor(drawingOf(rows), [&](editor::F_Pol_Edt& dialog) {
        // Both sizes are timed warm: one run first, untimed, as a user's second commit or fill would be.
        routine(dialog);
        for (auto _ : state) routine(dialog);
        benchmark::DoNotOptimize(EditorRoutines::NumVert(dialog));
    });
    state.SetItemsProcessed(state.iterations() * rows);
    state.counters["ns_per_row"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * rows,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void llenaTabla(editor::F_Pol_Edt& e) {
    EditorRoutines::LlenaTabla(e);
}
void aplicaTabla(editor::F_Pol_Edt& e) {
    benchmark::DoNotOptimize(EditorRoutines::AplicaTabla(e));
}
void listaVertices(editor::F_Pol_Edt& e) {
    EditorRoutines::ListaVertices(e);
}
void muestraPerimetro(editor::F_Pol_Edt& e) {
    EditorRoutines::MuestraPerimetro(e);
}

// The same number of rows is worked at both sizes: 300 runs at 10^4, three at 10^6.
const int32_t kTenThousand = sized(10000);
#define ORV_ROUTINE(fn)                  \
    BENCHMARK(BM_Routine<fn>)            \
        ->Name("BM_" #fn)                \
        ->Arg(kTenThousand)              \
        ->Iterations(repeated(300))      \
        ->Unit(benchmark::kMillisecond); \
    BENCHMARK(BM_Routine<fn>)            \
        ->Name("BM_" #fn)                \
        ->Arg(kMillion)                  \
        ->Iterations(repeated(3))        \
        ->Unit(benchmark::kMillisecond)
ORV_ROUTINE(llenaTabla);
ORV_ROUTINE(aplicaTabla);
ORV_ROUTINE(listaVertices);
ORV_ROUTINE(muestraPerimetro);
#undef ORV_ROUTINE

// --- One committed cell on a table of a million rows, against the plain loop it has to contain ---

// A commit after the first one since the fill: the first also takes the rows' copy of their points (timed
// apart below).
void BM_CellCommit(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    withEditor(drawingOf(rows), [&](editor::F_Pol_Edt& dialog) {
        auto& table = dynamic_cast<ui::VertexTable&>(*dialog.form().find("tblPol"));
        int edit = 0;
        table.userCommits(rows / 2, 2, u"Primero", {});
        for (auto _ : state) table.userCommits(rows / 2, 2, ++edit % 2 ? u"Nuevo" : u"Viejo", {});
        benchmark::DoNotOptimize(EditorRoutines::NumVert(dialog));
    });
}

// The first commit after a fill: the rows that show their points take a copy of them before the arrays
// change.
void BM_FirstCellCommit(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    withEditor(drawingOf(rows), [&](editor::F_Pol_Edt& dialog) {
        auto& table = dynamic_cast<ui::VertexTable&>(*dialog.form().find("tblPol"));
        int edit = 0;
        for (auto _ : state) {
            state.PauseTiming();
            EditorRoutines::LlenaTabla(dialog);
            state.ResumeTiming();
            table.userCommits(rows / 2, 2, ++edit % 2 ? u"Nuevo" : u"Viejo", {});
        }
        benchmark::DoNotOptimize(EditorRoutines::NumVert(dialog));
    });
}

void BM_VertexListLoop(benchmark::State& state) {
    const auto rows = static_cast<int32_t>(state.range(0));
    BenchDrawing& d = drawingOf(rows);
    const std::vector<int32_t> numbers(&d.VertP(1), &d.VertP(1) + rows);
    const int32_t nPtos = d.nPtos;
    for (auto _ : state) {
        std::vector<int32_t> list;
        list.reserve(numbers.size() + 1);
        list.push_back(0);
        for (int32_t p : numbers)
            if (p >= 1 && p <= nPtos) list.push_back(p);
        benchmark::DoNotOptimize(list.data());
    }
}

BENCHMARK(BM_CellCommit)->Arg(kMillion)->Iterations(repeated(20))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCellCommit)->Arg(kMillion)->Iterations(repeated(5))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VertexListLoop)->Arg(kMillion)->Iterations(repeated(20))->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv::bench
