#include "support/event_text.h"

#include <sstream>

namespace orv::test {

std::string enfocaPolText(int32_t Name, int32_t nPtos, int32_t PolN, const LongArray& nVer, int16_t capP,
                          int32_t NoPoli, int32_t colPol) {
    std::ostringstream out;
    out << "EnfocaPol(" << Name << ", " << nPtos << ", " << PolN << ", " << describe(nVer) << ", " << capP
        << ", " << NoPoli << ", " << colPol << ")";
    return out.str();
}

std::string enfocaPuntitoText(int32_t Name, int32_t polM) {
    return "EnfocaPuntito(" + std::to_string(Name) + ", " + std::to_string(polM) + ")";
}

std::string zoomText(automation::VariantBool amplia, int32_t punto, int32_t polM) {
    const std::string flag = amplia == automation::kVariantTrue    ? "true"
                             : amplia == automation::kVariantFalse ? "false"
                                                                   : std::to_string(amplia);
    return "Zoom(" + flag + ", " + std::to_string(punto) + ", " + std::to_string(polM) + ")";
}

std::string newPolCambialaText(int32_t aPolN, const LongArray& aVertP, int16_t acapP, int32_t aNoPoli,
                               int32_t acolpol) {
    std::ostringstream out;
    out << "newPolCambiala(" << aPolN << ", " << describe(aVertP) << ", " << acapP << ", " << aNoPoli << ", "
        << acolpol << ")";
    return out.str();
}

}  // namespace orv::test
