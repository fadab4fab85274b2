#pragma once
// A stand-in for the real dialogs in the class's tests: CargaBarra1 takes copies as a real dialog does,
// remembers which caller variables it was handed, then runs what the test scripted (raising events with its
// own variables, throwing, calling PasaDatos again from inside) and returns as if the user had closed it.
#include <cstdint>
#include <functional>
#include <memory>

#include "automation/automation_array.h"
#include "dialog/polyline_dialog.h"

namespace orv::test {

enum class DialogKind { Focus, Editor };

class TestDialog;
using DialogScript = std::function<void(TestDialog&)>;

class TestDialog : public dialog::PolylineDialog {
  public:
    // alive counts the dialogs not yet destroyed (shared with the factory, which the dialogs may outlive).
    TestDialog(dialog::DialogEvents& events, DialogScript script, std::shared_ptr<int> alive);
    ~TestDialog() override;

    void CargaBarra1(automation::ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos,
                     automation::DoubleArray& X, automation::DoubleArray& Y, automation::DoubleArray& Z,
                     automation::TextArray& Nombre, automation::TextArray& Código,
                     automation::IntegerArray& CapaPuntos, int32_t& noCapas, automation::TextArray& Capas,
                     int32_t& PolN, automation::LongArray& VertP, int16_t& capP, int32_t& NoPoli,
                     int32_t& colPol) override;

    // The events, raised with the dialog's own variables. RetornaPunto and RetornaOpcion pass PtoAct as Name.
    void raiseCancela();
    void raiseRetornaPunto(int32_t name);
    void raiseRetornaOpcion(int32_t name);
    void raiseZoomR(bool amplia, int32_t punto);
    void raiseNewPolCambia();

    // Which of the caller's variables CargaBarra1 was handed (by address), and the two by-value ones.
    struct Received {
        automation::ObjectRef* frm = nullptr;
        automation::ObjectRef frmValue;
        int32_t PtoEnfoca = 0;
        int32_t* nPtos = nullptr;
        automation::DoubleArray *X = nullptr, *Y = nullptr, *Z = nullptr;
        automation::TextArray *Nombre = nullptr, *Código = nullptr;
        automation::IntegerArray* CapaPuntos = nullptr;
        int32_t* noCapas = nullptr;
        automation::TextArray* Capas = nullptr;
        int32_t* PolN = nullptr;
        automation::LongArray* VertP = nullptr;
        int16_t* capP = nullptr;
        int32_t* NoPoli = nullptr;
        int32_t* colPol = nullptr;
    } received;

    // The dialog's own copies, the variables its events hand out.
    int32_t nPtos = 0;
    automation::DoubleArray X, Y, Z;
    automation::TextArray Nombre, Código;
    automation::IntegerArray CapaPuntos;
    int32_t noCapas = 0;
    automation::TextArray Capas;
    int32_t PolN = 0;
    automation::LongArray VertP;
    int16_t capP = 0;
    int32_t NoPoli = 0;
    int32_t colPol = 0;
    int32_t PtoAct = 0;
    automation::VariantBool amplia = 0;
    int32_t punto = 0;

  private:
    dialog::DialogEvents& events_;
    DialogScript script_;
    std::shared_ptr<int> alive_;
};

}  // namespace orv::test
