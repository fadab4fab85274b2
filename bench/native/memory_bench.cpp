// What the component adds to the host's memory with the editor open on a drawing, against what the drawing
// itself takes: the component keeps one copy of the drawing, and the table keeps its cells flat (no heap
// block per cell). The peak covers the intake, a committed cell and "Aceptar".
#include <benchmark/benchmark.h>

#include <memory>

#include "common/bench_drawing.h"
#include "common/bench_services.h"
#include "common/bench_size.h"
#include "common/writing_host.h"
#include "component/c_enf_pol.h"
#include "native/counting_malloc.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/table/vertex_table.h"

namespace orv::bench {
namespace {

void BM_EditorMemory(benchmark::State& state) {
    const auto n = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        const size_t empty = heap::bytesInUse();
        auto d = std::make_unique<BenchDrawing>(n);
        const double snapshot = static_cast<double>(heap::bytesInUse() - empty);

        const size_t base = heap::bytesInUse();
        const size_t baseBlocks = heap::blocksInUse();
        double open = 0, openBlocks = 0;
        heap::resetPeak();
        {
            BenchServices services;
            WritingHost host;
            component::C_Enf_Pol object(services, host);
            services.headless().script([&] {
                open = static_cast<double>(heap::bytesInUse() - base);
                openBlocks = static_cast<double>(heap::blocksInUse() - baseBlocks);
                ui::Form& form = *services.headless().activeForm();
                dynamic_cast<ui::VertexTable&>(*form.find("tblPol")).userCommits(n / 2, 3, u"1.5", {});
                dynamic_cast<ui::CommandButton&>(*form.find("cmdRedibuja")).click();
            });
            automation::ObjectRef frm;
            object.PasaDatos(d->Tipo, frm, d->PtoEnfo, d->nPtos, d->X, d->Y, d->Z, d->Nombre, d->Código,
                             d->CapaPuntos, d->noCapas, d->Capas, d->PolN, d->VertP, d->capP, d->NoPoli,
                             d->colPol);
            benchmark::DoNotOptimize(host.sum);
        }
        const double peak = static_cast<double>(heap::peakBytes() - base);
        state.counters["snapshot_bytes"] = snapshot;
        state.counters["open_bytes"] = open;
        state.counters["peak_bytes"] = peak;
        state.counters["open_blocks_per_vertex"] = openBlocks / n;
        state.counters["peak_per_snapshot"] = peak / snapshot;
        state.counters["open_per_snapshot"] = open / snapshot;
    }
}
BENCHMARK(BM_EditorMemory)->Arg(sized(1000000))->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orv::bench
