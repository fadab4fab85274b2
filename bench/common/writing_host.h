#pragma once
// A host whose handlers each write one element of what they are handed and keep a running sum, so that no
// event can be optimised away and nothing is copied on the host's side either.
#include <cstdint>

#include "component/c_enf_pol_events.h"

namespace orv::bench {

class WritingHost : public component::C_Enf_PolEvents {
  public:
    void EnfocaPol(int32_t& Name, int32_t&, dialog::DoubleArray& X, dialog::DoubleArray&,
                   dialog::DoubleArray&, dialog::TextArray&, dialog::TextArray&, dialog::IntegerArray&,
                   int32_t&, dialog::LongArray& nVer, int16_t&, int32_t&, int32_t&) override {
        X(1) += 1e-9;
        sum += nVer(1) + Name;
    }
    void EnfocaPuntito(int32_t& Name, int32_t& polM) override {
        polM = polM + 0;
        sum += Name;
    }
    void Zoom(dialog::VariantBool&, int32_t& punto, int32_t&) override { sum += punto; }
    void CancelarEnfoca() override { ++sum; }
    void newPolCambiala(int32_t& aPolN, dialog::LongArray& aVertP, int16_t&, int32_t&, int32_t&) override {
        aVertP(1) = aVertP(1);
        sum += aPolN;
    }

    int64_t sum = 0;
};

}  // namespace orv::bench
