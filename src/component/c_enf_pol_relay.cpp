#include "component/c_enf_pol_relay.h"

namespace orv::component {

void C_Enf_Pol::Relay::Cancela() {
    if (!serving()) return;
    focus() ? owner_.EnfocaPol_Cancela() : owner_.EditarPol_Cancela();
}

void C_Enf_Pol::Relay::RetornaPunto(int32_t& Name, int32_t& polM) {
    if (!serving()) return;
    focus() ? owner_.EnfocaPol_RetornaPunto(Name, polM) : owner_.EditarPol_RetornaPunto(Name, polM);
}

void C_Enf_Pol::Relay::RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y,
                                     DoubleArray& Z, TextArray& Nombre, TextArray& Código,
                                     IntegerArray& CapaPuntos, int32_t& PolN, LongArray& VertP, int16_t& capP,
                                     int32_t& NoPoli, int32_t& colPol) {
    if (!serving()) return;
    if (focus())
        owner_.EnfocaPol_RetornaOpcion(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP,
                                       NoPoli, colPol);
    else
        owner_.EditarPol_RetornaOpcion(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, VertP, capP,
                                       NoPoli, colPol);
}

void C_Enf_Pol::Relay::ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM) {
    if (!serving()) return;
    focus() ? owner_.EnfocaPol_ZoomR(amplia, punto, polM) : owner_.EditarPol_ZoomR(amplia, punto, polM);
}

void C_Enf_Pol::Relay::newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                    int32_t& aPolcol) {
    if (!serving()) return;
    focus() ? owner_.EnfocaPol_newPolCambia(aPolN, aVertP, acapP, aNoPoli, aPolcol)
            : owner_.EditarPol_newPolCambia(aPolN, aVertP, acapP, aNoPoli, aPolcol);
}

}  // namespace orv::component
