#pragma once
// Stand-ins for the real dialogs in the class's tests, each running the next script queued for its kind
// (none: it returns at once). CargaBarra1 takes copies as a real dialog does, remembers which caller
// variables it was handed, then runs the script (raising events with its own variables, throwing, calling
// PasaDatos again from inside) and returns as if the user had closed it.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include "automation/automation_error.h"
#include "dialog/polyline_dialog.h"
#include "support/drawing.h"

namespace orv::test {

enum class DialogKind { Focus, Editor };

class TestDialog;
using DialogScript = std::function<void(TestDialog&)>;

class TestDialog : public dialog::PolylineDialog {
  public:
    // alive counts the dialogs not yet destroyed (shared with the factory, which the dialogs may outlive).
    TestDialog(dialog::DialogEvents& events, DialogScript script, std::shared_ptr<int> alive)
        : events_(events), script_(std::move(script)), alive_(std::move(alive)) {
        ++*alive_;
    }
    ~TestDialog() override { --*alive_; }

    void CargaBarra1(ObjectRef& frm, int32_t PtoEnfoca, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                     DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                     int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP, int16_t& capP,
                     int32_t& NoPoli, int32_t& colPol) override {
        received = {&frm,        frm,      PtoEnfoca, &nPtos, &X,     &Y,    &Z,      &Nombre, &Código,
                    &CapaPuntos, &noCapas, &Capas,    &PolN,  &VertP, &capP, &NoPoli, &colPol};
        std::tie(this->nPtos, this->X, this->Y, this->Z, this->Nombre, this->Código, this->CapaPuntos,
                 this->noCapas, this->Capas, this->PolN, this->VertP, this->capP, this->NoPoli,
                 this->colPol) = std::tie(nPtos, X, Y, Z, Nombre, Código, CapaPuntos, noCapas, Capas, PolN,
                                          VertP, capP, NoPoli, colPol);
        if (script_) script_(*this);
    }

    // The events, raised with the dialog's own variables. RetornaPunto and RetornaOpcion pass PtoAct as Name.
    void raiseCancela() { events_.Cancela(); }
    void raiseRetornaPunto(int32_t name) { events_.RetornaPunto(PtoAct = name, PolN); }
    void raiseRetornaOpcion(int32_t name) {
        events_.RetornaOpcion(PtoAct = name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP,
                              NoPoli, colPol);
    }
    void raiseZoomR(bool amplia, int32_t punto) {
        events_.ZoomR(this->amplia = automation::toVariantBool(amplia), this->punto = punto, PolN);
    }
    void raiseNewPolCambia() { events_.newPolCambia(PolN, VertP, capP, NoPoli, colPol); }

    // Which of the caller's variables CargaBarra1 was handed (by address), and the two by-value ones.
    struct Received {
        ObjectRef* frm = nullptr;
        ObjectRef frmValue;
        int32_t PtoEnfoca = 0;
        int32_t* nPtos = nullptr;
        DoubleArray *X = nullptr, *Y = nullptr, *Z = nullptr;
        TextArray *Nombre = nullptr, *Código = nullptr;
        IntegerArray* CapaPuntos = nullptr;
        int32_t* noCapas = nullptr;
        TextArray* Capas = nullptr;
        int32_t* PolN = nullptr;
        LongArray* VertP = nullptr;
        int16_t* capP = nullptr;
        int32_t *NoPoli = nullptr, *colPol = nullptr;
    } received;

    // The dialog's own copies, the variables its events hand out.
    int32_t nPtos = 0, noCapas = 0, PolN = 0, NoPoli = 0, colPol = 0, PtoAct = 0, punto = 0;
    DoubleArray X, Y, Z;
    TextArray Nombre, Código, Capas;
    IntegerArray CapaPuntos;
    LongArray VertP;
    int16_t capP = 0;
    automation::VariantBool amplia = 0;

  private:
    dialog::DialogEvents& events_;
    DialogScript script_;
    std::shared_ptr<int> alive_;
};

class TestDialogFactory : public dialog::DialogFactory {
  public:
    TestDialogFactory() : alive_(std::make_shared<int>(0)) {}

    // The script of the next focus / editor dialog; scripts queue up in order.
    void onNextFocus(DialogScript script) { focusScripts_.push_back(std::move(script)); }
    void onNextEditor(DialogScript script) { editorScripts_.push_back(std::move(script)); }
    // When set, creating a dialog fails with this error.
    std::optional<automation::AutomationError> createError;

    std::unique_ptr<dialog::PolylineDialog> createFocusDialog(dialog::DialogServices&,
                                                              dialog::DialogEvents& events) override {
        return make(DialogKind::Focus, focusScripts_, events);
    }
    std::unique_ptr<dialog::PolylineDialog> createEditorDialog(dialog::DialogServices&,
                                                               dialog::DialogEvents& events) override {
        return make(DialogKind::Editor, editorScripts_, events);
    }

    // Kinds of the dialogs made so far, in order.
    const std::vector<DialogKind>& made() const { return made_; }
    // Dialogs not yet destroyed.
    int alive() const { return *alive_; }

  private:
    std::unique_ptr<dialog::PolylineDialog> make(DialogKind kind, std::deque<DialogScript>& scripts,
                                                 dialog::DialogEvents& events) {
        if (createError) throw *createError;
        DialogScript script;
        if (!scripts.empty()) {
            script = std::move(scripts.front());
            scripts.pop_front();
        }
        made_.push_back(kind);
        return std::make_unique<TestDialog>(events, std::move(script), alive_);
    }

    std::shared_ptr<int> alive_;
    std::deque<DialogScript> focusScripts_;
    std::deque<DialogScript> editorScripts_;
    std::vector<DialogKind> made_;
};

}  // namespace orv::test
