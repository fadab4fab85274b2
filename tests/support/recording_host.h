#pragma once
// Plays the host application: owns a drawing and a C_Enf_Pol, calls PasaDatos, and records every event as one
// line ("EnfocaPol(5, 10, 1, [1 2 3 4 5], 1, 3, 255)", "Zoom(true, 3, 7)", "CancelarEnfoca()"; arrays print
// as "[1 2 3]" from subscript 1, "0:[-1 1 2 3]" from another lower bound). Like a real host it answers
// newPolCambiala with polyline aPolN of its drawing; hooks then let a test write into the by-reference
// arguments, throw, or open a nested PasaDatos.
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
    // dialogs: null for the real dialogs, or a TestDialogFactory that outlives the host.
    explicit RecordingHost(Drawing drawing = sampleDrawing(), dialog::DialogFactory* dialogs = nullptr);
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // PasaDatos(Tipo, ...) on the host's drawing or another one, then checks the drawing is byte-identical.
    void open(int16_t Tipo) { pasaDatos(Tipo, drawing_); }
    void pasaDatos(int16_t Tipo, Drawing& drawing);

    // Queues a user action on the form shown modally when it runs.
    void script(std::function<void(ui::Form&)> action);

    Drawing& drawing() { return drawing_; }
    TestServices& services() { return services_; }
    ui::HeadlessToolkit& toolkit() { return services_.headless(); }
    component::C_Enf_Pol& component() { return component_; }
    const std::vector<ui::HeadlessToolkit::MessageBoxRecord>& messageBoxes() {
        return toolkit().messageBoxes();
    }
    // Each message box so far as "text | style | title".
    std::vector<std::string> boxes();

    const Events& events() const { return events_; }
    void clearEvents() { events_.clear(); }
    const std::vector<EditedData>& edits() const { return edits_; }

    bool answersPolylineRequests = true;
    bool checksDrawingUntouched = true;

    // Run after the event is recorded (and newPolCambiala answered).
    std::function<void(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                       TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                       LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol)>
        onEnfocaPol;
    std::function<void(int32_t& Name, int32_t& polM)> onEnfocaPuntito;
    std::function<void(VariantBool& amplia, int32_t& punto, int32_t& polM)> onZoom;
    std::function<void()> onCancelarEnfoca;
    std::function<void(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli, int32_t& acolpol)>
        onNewPolCambiala;

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
