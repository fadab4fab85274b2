#pragma once
// The component's one public class: takes the drawing snapshot, opens the chosen dialog and relays its
// events.
#include <cstdint>
#include <memory>

#include "component/c_enf_pol_events.h"
#include "dialog/dialog_services.h"
#include "dialog/polyline_dialog.h"

namespace orv::component {

using dialog::DialogEvents;
using dialog::DialogFactory;
using dialog::DialogServices;
using dialog::PolylineDialog;

class C_Enf_Pol {
  public:
    // The factory defaults to the real dialogs.
    C_Enf_Pol(DialogServices& services, C_Enf_PolEvents& host, DialogFactory* factory = nullptr);
    ~C_Enf_Pol();
    C_Enf_Pol(const C_Enf_Pol&) = delete;
    C_Enf_Pol& operator=(const C_Enf_Pol&) = delete;

    // Never throws: its trap reports every error of its own steps and of the dialog's intake and set-up.
    void PasaDatos(int16_t& Tipo, ObjectRef& frm1, int32_t& PtoEnfo, int32_t& Nuput, DoubleArray& X,
                   DoubleArray& Y, DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                   IntegerArray& CapaPuntos, int32_t& noCapas, TextArray& Capas, int32_t& PolN,
                   LongArray& VertP, int16_t& capP, int32_t NoPoli, int32_t& Polcol) noexcept;

    // Whether a dialog is open, that is, some call of PasaDatos is inside its dialog's entry (the COM server
    // keeps the module loaded meanwhile).
    bool dialogOpen() const { return openDialogs_ > 0; }

  private:
    enum class DialogKind { Focus, Editor };
    class Relay;
    struct RelayedDialog;

    // A new dialog of that kind, kept alive together with the relay that serves it.
    std::shared_ptr<PolylineDialog> createDialog(DialogKind kind);
    std::shared_ptr<PolylineDialog>& reference(DialogKind kind) {
        return kind == DialogKind::Focus ? EnfocaPol : EditarPol;
    }
    // Makes the dialog into its reference, runs its entry, stores the form back and empties the reference.
    void openDialog(DialogKind kind, ObjectRef& frm1, int32_t PtoEnfo, int32_t& nPtos, DoubleArray& X,
                    DoubleArray& Y, DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                    IntegerArray& CapaPuntos, int32_t& noCapas, TextArray& Capas, int32_t& PolN,
                    LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& Polcol);

    // The relay handlers, one set per reference.
    void EnfocaPol_Cancela();
    void EnfocaPol_RetornaPunto(int32_t& Name, int32_t& polM);
    void EnfocaPol_RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                                 DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                                 IntegerArray& CapaPuntos, int32_t& PolN, LongArray& VertP, int16_t& capP,
                                 int32_t& NoPoli, int32_t& colPol);
    void EnfocaPol_ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM);
    void EnfocaPol_newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& aPolcol);
    void EditarPol_Cancela();
    void EditarPol_RetornaPunto(int32_t& Name, int32_t& polM);
    void EditarPol_RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                                 DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                                 IntegerArray& CapaPuntos, int32_t& PolN, LongArray& VertP, int16_t& capP,
                                 int32_t& NoPoli, int32_t& colPol);
    void EditarPol_ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM);
    void EditarPol_newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& aPolcol);

    DialogServices& services_;
    C_Enf_PolEvents& host_;
    std::unique_ptr<DialogFactory> realDialogs_;
    DialogFactory* factory_;
    // The two references of the class; each relay knows which dialog it belongs to.
    std::shared_ptr<PolylineDialog> EnfocaPol;
    std::shared_ptr<PolylineDialog> EditarPol;
    int openDialogs_ = 0;
};

}  // namespace orv::component
