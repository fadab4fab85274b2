// An event's way from a dialog through C_Enf_Pol to the host: the same at a hundred points as at a million,
// because every argument is a reference to the dialog's own variable and nothing is copied per event.
#include <benchmark/benchmark.h>

#include "common/bench_services.h"
#include "common/bench_size.h"
#include "common/drawing_cache.h"
#include "common/event_bench_dialog.h"
#include "common/writing_host.h"
#include "component/c_enf_pol.h"

namespace orv::bench {
namespace {

enum class Event { RetornaPunto, newPolCambia, RetornaOpcion };

void raise(Event event, dialog::DialogEvents& events, DialogVariables& v) {
    switch (event) {
        case Event::RetornaPunto:
            events.RetornaPunto(v.PtoAct, v.PolN);
            break;
        case Event::newPolCambia:
            events.newPolCambia(v.PolN, v.VertP, v.capP, v.NoPoli, v.colPol);
            break;
        case Event::RetornaOpcion:
            events.RetornaOpcion(v.PtoAct, v.nPtos, v.X, v.Y, v.Z, v.Nombre, v.Código, v.CapaPuntos, v.PolN,
                                 v.VertP, v.capP, v.NoPoli, v.colPol);
            break;
    }
}

template <Event event>
void BM_EventRoundTrip(benchmark::State& state) {
    BenchDrawing& d = drawingOf(static_cast<int32_t>(state.range(0)));
    BenchServices services;
    WritingHost host;
    EventBenchFactory factory([&](dialog::DialogEvents& events, DialogVariables& v) {
        for (auto _ : state) raise(event, events, v);
    });
    component::C_Enf_Pol object(services, host, &factory);
    automation::ObjectRef form;
    object.PasaDatos(d.Tipo, form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                     d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
    benchmark::DoNotOptimize(host.sum);
    state.counters["points"] = static_cast<double>(state.range(0));
}

const int64_t kEvents = repeated(200000);
BENCHMARK(BM_EventRoundTrip<Event::RetornaPunto>)->Arg(sized(100))->Arg(sized(1000000))->Iterations(kEvents);
BENCHMARK(BM_EventRoundTrip<Event::newPolCambia>)->Arg(sized(100))->Arg(sized(1000000))->Iterations(kEvents);
BENCHMARK(BM_EventRoundTrip<Event::RetornaOpcion>)->Arg(sized(100))->Arg(sized(1000000))->Iterations(kEvents);

}  // namespace
}  // namespace orv::bench
