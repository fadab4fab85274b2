#pragma once
// The five events both dialogs raise (numbered alike: 1 Cancela ... 5 newPolCambia). Every argument is a
// reference to the dialog's own variable: what the receiver writes is what the dialog continues with.
#include <cstdint>

#include "dialog/drawing_types.h"

namespace orv::dialog {

class DialogEvents {
  public:
    virtual ~DialogEvents() = default;
    virtual void Cancela() = 0;
    virtual void RetornaPunto(int32_t& Name, int32_t& polM) = 0;
    virtual void RetornaOpcion(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                               TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                               LongArray& VertP, int16_t& capP, int32_t& NoPoli, int32_t& colPol) = 0;
    virtual void ZoomR(VariantBool& amplia, int32_t& punto, int32_t& polM) = 0;
    virtual void newPolCambia(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                              int32_t& aPolcol) = 0;
};

}  // namespace orv::dialog
