#pragma once
// The class's events as the test hosts record them, one readable line each ("EnfocaPuntito(5, 1)",
// "Zoom(true, 3, 7)", "newPolCambiala(1, [1 2 3], 1, 10, 255)"): one format for every host, so that a
// scenario reads the same headless and in front of real windows.
#include <cstdint>
#include <string>

#include "automation/variant_bool.h"
#include "support/drawing.h"

namespace orv::test {

std::string enfocaPolText(int32_t Name, int32_t nPtos, int32_t PolN, const LongArray& nVer, int16_t capP,
                          int32_t NoPoli, int32_t colPol);
std::string enfocaPuntitoText(int32_t Name, int32_t polM);
// "true" and "false" for the two boolean values, the number itself for anything else.
std::string zoomText(automation::VariantBool amplia, int32_t punto, int32_t polM);
std::string newPolCambialaText(int32_t aPolN, const LongArray& aVertP, int16_t acapP, int32_t aNoPoli,
                               int32_t acolpol);

}  // namespace orv::test
