#pragma once
// A dialog that does nothing but raise events: it copies the drawing as the real dialogs do and then hands
// its own variables and its events (C_Enf_Pol's relay) to the benchmark, which raises them as often as it
// likes. What is timed is then the way of an event from a dialog through C_Enf_Pol to the host.
#include <functional>
#include <memory>

#include "dialog/polyline_dialog.h"

namespace orv::bench {

using automation::DoubleArray;
using automation::IntegerArray;
using automation::LongArray;
using automation::TextArray;

struct DialogVariables {
    int32_t PtoAct = 1;
    int32_t nPtos = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    TextArray Capas;
    int32_t PolN = 0;
    LongArray VertP;
    int16_t capP = 0;
    int32_t NoPoli = 0;
    int32_t colPol = 0;
};

using EventRun = std::function<void(dialog::DialogEvents& events, DialogVariables& variables)>;

class EventBenchFactory : public dialog::DialogFactory {
  public:
    explicit EventBenchFactory(EventRun run) : run_(std::move(run)) {}
    std::unique_ptr<dialog::PolylineDialog> createFocusDialog(dialog::DialogServices& services,
                                                              dialog::DialogEvents& events) override;
    std::unique_ptr<dialog::PolylineDialog> createEditorDialog(dialog::DialogServices& services,
                                                               dialog::DialogEvents& events) override;

  private:
    EventRun run_;
};

}  // namespace orv::bench
