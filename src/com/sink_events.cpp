#include "com/sink_events.h"

#include <array>
#include <utility>

#include "com/Orv_Pol_edit.h"
#include "com/variant_arguments.h"

namespace orv::com {
void SinkEvents::EnfocaPol(int32_t& Name, int32_t& nPtos, dialog::DoubleArray& X, dialog::DoubleArray& Y,
                           dialog::DoubleArray& Z, dialog::TextArray& Nombre, dialog::TextArray& Código,
                           dialog::IntegerArray& CapaPuntos, int32_t& PolN, dialog::LongArray& nVer,
                           int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    std::array<VARIANTARG, 13> args = {byRef(colPol), byRef(NoPoli),     byRef(capP),   byRef(nVer),
                                       byRef(PolN),   byRef(CapaPuntos), byRef(Código), byRef(Nombre),
                                       byRef(Z),      byRef(Y),          byRef(X),      byRef(nPtos),
                                       byRef(Name)};
    if (auto failure = point_.fire(DISPID_EnfocaPol, args)) throw std::move(*failure);
}

void SinkEvents::EnfocaPuntito(int32_t& Name, int32_t& polM) {
    std::array<VARIANTARG, 2> args = {byRef(polM), byRef(Name)};
    if (auto failure = point_.fire(DISPID_EnfocaPuntito, args)) throw std::move(*failure);
}

void SinkEvents::Zoom(dialog::VariantBool& amplia, int32_t& punto, int32_t& polM) {
    std::array<VARIANTARG, 3> args = {byRef(polM), byRef(punto), byRefBool(amplia)};
    point_.fire(DISPID_Zoom, args);
}

void SinkEvents::CancelarEnfoca() {
    point_.fire(DISPID_CancelarEnfoca, {});
}

void SinkEvents::newPolCambiala(int32_t& aPolN, dialog::LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& acolpol) {
    std::array<VARIANTARG, 5> args = {byRef(acolpol), byRef(aNoPoli), byRef(acapP), byRef(aVertP),
                                      byRef(aPolN)};
    point_.fire(DISPID_newPolCambiala, args);
}

}  // namespace orv::com
