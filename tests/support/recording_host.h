#pragma once
// Plays the host application: owns a drawing and a C_Enf_Pol, calls PasaDatos, and records every event the
// class raises as one readable string, in order:
//   "EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)"  Name, nPtos, PolN, nVer, capP, NoPoli, colPol
//   "EnfocaPuntito(5, 1)"                          Name, polM
//   "Zoom(true, 3, 7)"                             amplia, punto, polM
//   "CancelarEnfoca()"
//   "newPolCambiala(1, [1 2 3], 1, 10, 255)"       aPolN, aVertP, acapP, aNoPoli, acolpol (as the dialog sent
//   them)
// Arrays print as "[1 2 3]" from subscript 1 and as "0:[-1 1 2 3]" from another lower bound.
//
// Like a real host it answers newPolCambiala by writing polyline aPolN of its drawing into the arguments
// (turn it off with answersPolylineRequests). Hooks then let a test write whatever it likes into the
// by-reference arguments, throw, or call open() again from inside (a nested PasaDatos).
//
//   RecordingHost host{sampleDrawing(/*points=*/10, /*vertices=*/5)};
//   host.script([&](ui::Form& form) { ... drive the form shown at that moment ... });
//   host.open(0);  // returns when the dialog has closed; the toolkit closes it by its close box if the
//   script ends
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "component/c_enf_pol.h"
#include "component/c_enf_pol_events.h"
#include "support/drawing.h"
#include "support/test_services.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::test {

using Events = std::vector<std::string>;
using automation::VariantBool;

// What one EnfocaPol handed the host, copied when it arrived.
struct EditedData {
    int32_t Name = 0, nPtos = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código;
    IntegerArray CapaPuntos;
    int32_t PolN = 0;
    LongArray nVer;
    int16_t capP = 0;
    int32_t NoPoli = 0, colPol = 0;
};

class RecordingHost : public component::C_Enf_PolEvents {
  public:
    using EnfocaPolHook =
        std::function<void(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                           TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                           LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol)>;
    using EnfocaPuntitoHook = std::function<void(int32_t& Name, int32_t& polM)>;
    using ZoomHook = std::function<void(VariantBool& amplia, int32_t& punto, int32_t& polM)>;
    using CancelarEnfocaHook = std::function<void()>;
    using NewPolCambialaHook = std::function<void(int32_t& aPolN, LongArray& aVertP, int16_t& acapP,
                                                  int32_t& aNoPoli, int32_t& acolpol)>;

    // dialogs: null for the real dialogs, or e.g. a TestDialogFactory (which must outlive the host).
    explicit RecordingHost(Drawing drawing = sampleDrawing(), dialog::DialogFactory* dialogs = nullptr);
    ~RecordingHost() override;
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // PasaDatos(Tipo, ...) on the host's drawing: 0 opens the focus dialog, anything else the editor. Returns
    // when the dialog has closed. Afterwards it checks (as a test failure) that the drawing is
    // byte-identical.
    void open(int16_t Tipo);
    // The same on another drawing the test keeps.
    void pasaDatos(int16_t Tipo, Drawing& drawing);

    // Queues a user action, run while a form is shown modally, on the form shown at that moment.
    void script(std::function<void(ui::Form&)> action);

    Drawing& drawing() { return drawing_; }
    TestServices& services() { return services_; }
    ui::HeadlessToolkit& toolkit() { return services_.headless(); }
    component::C_Enf_Pol& component() { return component_; }
    const std::vector<ui::HeadlessToolkit::MessageBoxRecord>& messageBoxes() {
        return toolkit().messageBoxes();
    }
    // The message boxes shown so far, each as "text | style | title".
    std::vector<std::string> boxes();

    const Events& events() const { return events_; }
    void clearEvents() { events_.clear(); }
    // The data of every EnfocaPol so far, in order.
    const std::vector<EditedData>& edits() const { return edits_; }

    bool answersPolylineRequests = true;
    bool checksDrawingUntouched = true;

    // Run after the event is recorded (and newPolCambiala answered).
    EnfocaPolHook onEnfocaPol;
    EnfocaPuntitoHook onEnfocaPuntito;
    ZoomHook onZoom;
    CancelarEnfocaHook onCancelarEnfoca;
    NewPolCambialaHook onNewPolCambiala;

    // --- C_Enf_PolEvents ---
    void EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                   TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                   LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) override;
    void EnfocaPuntito(int32_t& Name, int32_t& polM) override;
    void Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) override;
    void CancelarEnfoca() override;
    void newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                        int32_t& acolpol) override;

  private:
    Drawing drawing_;
    TestServices services_;
    component::C_Enf_Pol component_;
    Events events_;
    std::vector<EditedData> edits_;
};

}  // namespace orv::test
