#pragma once
// The class's events as the sinks of the connection point receive them. Every argument goes out as a VT_BYREF
// variant pointing at the open dialog's own variable (arrays: at the variable's SAFEARRAY pointer), so what a
// sink writes, redimensions or replaces is what the dialog continues with; nothing is copied.
//
// A sink's failure is thrown as an AutomationError from the two events whose relays trap errors (EnfocaPol,
// EnfocaPuntito), so that their traps report it; the other relays trap nothing and the dialog must go on, so
// their sinks' failures are dropped here.
#include "com/event_connection_point.h"
#include "component/c_enf_pol_events.h"

namespace orv::com {

class SinkEvents final : public component::C_Enf_PolEvents {
  public:
    explicit SinkEvents(EventConnectionPoint& point) : point_(point) {}

    void EnfocaPol(int32_t& Name, int32_t& nPtos, dialog::DoubleArray& X, dialog::DoubleArray& Y,
                   dialog::DoubleArray& Z, dialog::TextArray& Nombre, dialog::TextArray& Código,
                   dialog::IntegerArray& CapaPuntos, int32_t& PolN, dialog::LongArray& nVer, int16_t& capP,
                   int32_t& NoPoli, int32_t& colPol) override;
    void EnfocaPuntito(int32_t& Name, int32_t& polM) override;
    void Zoom(dialog::VariantBool& amplia, int32_t& punto, int32_t& polM) override;
    void CancelarEnfoca() override;
    void newPolCambiala(int32_t& aPolN, dialog::LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                        int32_t& acolpol) override;

  private:
    EventConnectionPoint& point_;
};

}  // namespace orv::com
