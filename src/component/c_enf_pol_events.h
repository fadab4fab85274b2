#pragma once
// The events of C_Enf_Pol, as the host receives them (dispatch identifiers 1 to 5). Every argument is a
// reference to the open dialog's own variable.
#include <cstdint>

#include "dialog/drawing_types.h"

namespace orv::component {

// The hand-over speaks the dialogs' automation types.
using dialog::DoubleArray;
using dialog::IntegerArray;
using dialog::LongArray;
using dialog::ObjectRef;
using dialog::TextArray;
using dialog::VariantBool;

class C_Enf_PolEvents {
  public:
    virtual ~C_Enf_PolEvents() = default;
    virtual void EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                           TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                           LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) = 0;
    virtual void EnfocaPuntito(int32_t& Name, int32_t& polM) = 0;
    virtual void Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) = 0;
    virtual void CancelarEnfoca() = 0;
    virtual void newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& acolpol) = 0;
};

}  // namespace orv::component
