#pragma once
// The component's one public class: takes the drawing snapshot, opens the chosen dialog and relays its events.
#include <cstdint>
#include <memory>

#include "component/c_enf_pol_events.h"
#include "component/component_services.h"
#include "component/polyline_dialog.h"

namespace orv::component {

class C_Enf_Pol {
public:
    // The factory defaults to the real dialogs.
    C_Enf_Pol(ComponentServices& services, C_Enf_PolEvents& host, DialogFactory* factory = nullptr);
    ~C_Enf_Pol();
    C_Enf_Pol(const C_Enf_Pol&) = delete;
    C_Enf_Pol& operator=(const C_Enf_Pol&) = delete;

    // Never throws: its trap reports every error of its own steps and of the dialog's intake and set-up.
    void PasaDatos(int16_t& Tipo, ObjectRef& frm1, int32_t& PtoEnfo, int32_t& Nuput, DoubleArray& X, DoubleArray& Y,
                   DoubleArray& Z, TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos,
                   int32_t& noCapas, TextArray& Capas, int32_t& PolN, LongArray& VertP, int16_t& capP,
                   int32_t NoPoli, int32_t& Polcol) noexcept;

    // Whether a dialog is open (the COM server keeps the module loaded meanwhile).
    bool dialogOpen() const;

private:
    class Relay;

    ComponentServices& services_;
    C_Enf_PolEvents& host_;
    DialogFactory* factory_;
    // The two references of the class; each relay knows which dialog it belongs to.
    std::shared_ptr<PolylineDialog> EnfocaPol;
    std::shared_ptr<PolylineDialog> EditarPol;
};

}  // namespace orv::component
