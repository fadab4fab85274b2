#include "common/event_bench_dialog.h"

namespace orv::bench {

namespace {

class EventBenchDialog : public dialog::PolylineDialog {
  public:
    EventBenchDialog(dialog::DialogEvents& events, const EventRun& run) : events_(events), run_(run) {}

    void CargaBarra1(automation::ObjectRef&, int32_t, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                     DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t&,
                     TextArray& Capas, int32_t& PolN, LongArray& VertP, int16_t& capP, int32_t& NoPoli,
                     int32_t& colPol) override {
        v_.nPtos = nPtos;
        v_.X = X;
        v_.Y = Y;
        v_.Z = Z;
        v_.Nombre = Nombre;
        v_.Código = Código;
        v_.CapaPuntos = CapaPuntos;
        v_.Capas = Capas;
        v_.PolN = PolN;
        v_.VertP = VertP;
        v_.capP = capP;
        v_.NoPoli = NoPoli;
        v_.colPol = colPol;
        run_(events_, v_);
    }

  private:
    dialog::DialogEvents& events_;
    const EventRun& run_;
    DialogVariables v_;
};

}  // namespace

std::unique_ptr<dialog::PolylineDialog> EventBenchFactory::createFocusDialog(dialog::DialogServices&,
                                                                             dialog::DialogEvents& events) {
    return std::make_unique<EventBenchDialog>(events, run_);
}

std::unique_ptr<dialog::PolylineDialog> EventBenchFactory::createEditorDialog(dialog::DialogServices&,
                                                                              dialog::DialogEvents& events) {
    return std::make_unique<EventBenchDialog>(events, run_);
}

}  // namespace orv::bench
