#include "component/c_enf_pol.h"

#include "automation/standard_errors.h"
#include "component/c_enf_pol_relay.h"
#include "component/default_dialog_factory.h"
#include "component/error_trap.h"

namespace orv::component {
namespace {

// frm1 as a form reference: empty stays empty; an object that is no form is a type mismatch.
ObjectRef asForm(const ObjectRef& object) {
    if (object && !object->isForm()) automation::raiseStandardError(automation::error_number::kTypeMismatch);
    return object;
}

// Counts a dialog as open for as long as its entry runs.
class OpenDialog {
  public:
    explicit OpenDialog(int& count) : count_(count) { ++count_; }
    ~OpenDialog() { --count_; }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

  private:
    int& count_;
};

}  // namespace

C_Enf_Pol::C_Enf_Pol(DialogServices& services, C_Enf_PolEvents& host, DialogFactory* factory)
    : services_(services),
      host_(host),
      realDialogs_(factory ? nullptr : std::make_unique<DefaultDialogFactory>()),
      factory_(factory ? factory : realDialogs_.get()) {}

C_Enf_Pol::~C_Enf_Pol() = default;

void C_Enf_Pol::PasaDatos(int16_t& Tipo, ObjectRef& frm1, int32_t& PtoEnfo, int32_t& Nuput, DoubleArray& X,
                          DoubleArray& Y, DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                          IntegerArray& CapaPuntos, int32_t& noCapas, TextArray& Capas, int32_t& PolN,
                          LongArray& VertP, int16_t& capP, int32_t NoPoli, int32_t& Polcol) noexcept {
    try {
        if (Tipo == 0) {
            // The focus dialog gets the point count by value.
            int32_t nPtos = Nuput;
            openDialog(DialogKind::Focus, frm1, PtoEnfo, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, noCapas,
                       Capas, PolN, VertP, capP, NoPoli, Polcol);
        } else {
            openDialog(DialogKind::Editor, frm1, PtoEnfo, Nuput, X, Y, Z, Nombre, Código, CapaPuntos, noCapas,
                       Capas, PolN, VertP, capP, NoPoli, Polcol);
        }
    } catch (...) {
        reportCurrentError(services_.toolkit(), kPasaDatosTrap);
    }
}

void C_Enf_Pol::openDialog(DialogKind kind, ObjectRef& frm1, int32_t PtoEnfo, int32_t& nPtos, DoubleArray& X,
                           DoubleArray& Y, DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                           IntegerArray& CapaPuntos, int32_t& noCapas, TextArray& Capas, int32_t& PolN,
                           LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& Polcol) {
    reference(kind) = createDialog(kind);
    // A nested call may replace the reference while this dialog is still running: keep it alive meanwhile.
    const std::shared_ptr<PolylineDialog> dialog = reference(kind);
    ObjectRef frm = asForm(frm1);
    {
        OpenDialog open(openDialogs_);
        dialog->CargaBarra1(frm, PtoEnfo, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, noCapas, Capas, PolN,
                            VertP, capP, NoPoli, Polcol);
    }
    frm1 = frm;
    reference(kind).reset();
}

std::shared_ptr<PolylineDialog> C_Enf_Pol::createDialog(DialogKind kind) {
    auto relayed = std::make_shared<RelayedDialog>(*this, kind);
    relayed->dialog = kind == DialogKind::Focus ? factory_->createFocusDialog(services_, relayed->relay)
                                                : factory_->createEditorDialog(services_, relayed->relay);
    if (!relayed->dialog) automation::raiseStandardError(automation::error_number::kObjectNotSet);
    relayed->relay.serve(relayed->dialog.get());
    return std::shared_ptr<PolylineDialog>(relayed, relayed->dialog.get());
}

void C_Enf_Pol::EnfocaPol_Cancela() {
    host_.CancelarEnfoca();
}

void C_Enf_Pol::EnfocaPol_RetornaPunto(int32_t& Name, int32_t& polM) {
    try {
        host_.EnfocaPuntito(Name, polM);
    } catch (...) {
        reportCurrentError(services_.toolkit(), kRetornaPuntoTrap);
    }
}

void C_Enf_Pol::EnfocaPol_RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                                        DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                                        IntegerArray& CapaPuntos, int32_t& PolN, LongArray& VertP,
                                        int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    try {
        host_.EnfocaPol(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP, NoPoli, colPol);
    } catch (...) {
        reportCurrentError(services_.toolkit(), kRetornaOpcionTrap);
    }
}

void C_Enf_Pol::EnfocaPol_ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM) {
    host_.Zoom(amplia, punto, polM);
}

void C_Enf_Pol::EnfocaPol_newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                       int32_t& aPolcol) {
    host_.newPolCambiala(aPolN, aVertP, acapP, aNoPoli, aPolcol);
}

void C_Enf_Pol::EditarPol_Cancela() {
    host_.CancelarEnfoca();
}

void C_Enf_Pol::EditarPol_RetornaPunto(int32_t& Name, int32_t& polM) {
    try {
        // The editor announces "no point" with 0; the host is not bothered with it.
        if (Name != 0) host_.EnfocaPuntito(Name, polM);
    } catch (...) {
        reportCurrentError(services_.toolkit(), kRetornaPuntoTrap);
    }
}

void C_Enf_Pol::EditarPol_RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                                        DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                                        IntegerArray& CapaPuntos, int32_t& PolN, LongArray& VertP,
                                        int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    try {
        host_.EnfocaPol(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP, NoPoli, colPol);
    } catch (...) {
        reportCurrentError(services_.toolkit(), kRetornaOpcionTrap);
    }
}

void C_Enf_Pol::EditarPol_ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM) {
    host_.Zoom(amplia, punto, polM);
}

void C_Enf_Pol::EditarPol_newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                       int32_t& aPolcol) {
    host_.newPolCambiala(aPolN, aVertP, acapP, aNoPoli, aPolcol);
}

}  // namespace orv::component
