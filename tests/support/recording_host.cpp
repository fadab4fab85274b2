#include "support/recording_host.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orv::test {
namespace {

// One line per event, its arguments in order, arrays as describe writes them and booleans as "true"/"false".
template <class... Args>
std::string eventText(const char* name, const Args&... args) {
    std::ostringstream out;
    out << name << "(";
    [[maybe_unused]] const char* separator = "";
    ((out << separator << args, separator = ", "), ...);
    out << ")";
    return out.str();
}

}  // namespace

RecordingHost::RecordingHost(Drawing drawing, dialog::DialogFactory* dialogs)
    : drawing_(std::move(drawing)), component_(services_, *this, dialogs) {}

void RecordingHost::pasaDatos(int16_t Tipo, Drawing& d) {
    const Snapshot before = checksDrawingUntouched ? d.snapshot() : Snapshot{};
    component_.PasaDatos(Tipo, d.frm1, d.PtoEnfo, d.Nuput, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                         d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.Polcol);
    if (checksDrawingUntouched) {
        EXPECT_TRUE(before == d.snapshot()) << "PasaDatos changed the host's variables";
    }
}

std::vector<std::string> RecordingHost::boxes() {
    std::vector<std::string> result;
    for (const auto& box : messageBoxes())
        result.push_back(automation::toUtf8(box.text) + " | " + std::to_string(box.style) + " | " +
                         automation::toUtf8(box.title));
    return result;
}

void RecordingHost::script(std::function<void(ui::Form&)> action) {
    toolkit().script([this, action = std::move(action)] {
        ui::Form* form = toolkit().activeForm();
        ASSERT_NE(form, nullptr) << "a scripted user action ran with no form shown";
        action(*form);
    });
}

void RecordingHost::EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                              TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                              LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    events_.push_back(eventText("EnfocaPol", Name, nPtos, PolN, describe(nVer), capP, NoPoli, colPol));
    edits_.push_back({Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, nVer, capP, NoPoli, colPol});
    if (onEnfocaPol)
        onEnfocaPol(Name, nPtos, X, Y, Z, Nombre, Código, CapaPuntos, PolN, nVer, capP, NoPoli, colPol);
}

void RecordingHost::EnfocaPuntito(int32_t& Name, int32_t& polM) {
    events_.push_back(eventText("EnfocaPuntito", Name, polM));
    if (onEnfocaPuntito) onEnfocaPuntito(Name, polM);
}

void RecordingHost::Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) {
    const std::string flag = amplia == automation::kVariantTrue    ? "true"
                             : amplia == automation::kVariantFalse ? "false"
                                                                   : std::to_string(amplia);
    events_.push_back(eventText("Zoom", flag, punto, polM));
    if (onZoom) onZoom(amplia, punto, polM);
}

void RecordingHost::CancelarEnfoca() {
    events_.push_back(eventText("CancelarEnfoca"));
    if (onCancelarEnfoca) onCancelarEnfoca();
}

void RecordingHost::newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                   int32_t& acolpol) {
    events_.push_back(eventText("newPolCambiala", aPolN, describe(aVertP), acapP, aNoPoli, acolpol));
    if (answersPolylineRequests) drawing_.writePolyline(aPolN, aVertP, acapP, aNoPoli, acolpol);
    if (onNewPolCambiala) onNewPolCambiala(aPolN, aVertP, acapP, aNoPoli, acolpol);
}

}  // namespace orv::test
