#include "windows_host.h"

#include "support/event_text.h"

namespace orv::e2e {

WindowsHost::WindowsHost(Drawing drawing) : drawing_(std::move(drawing)), component_(services_, *this) {}

WindowsHost::~WindowsHost() = default;

void WindowsHost::open(int16_t Tipo) {
    Drawing& d = drawing_;
    component_.PasaDatos(Tipo, d.frm1, d.PtoEnfo, d.Nuput, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                         d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.Polcol);
}

void WindowsHost::record(std::string event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

Events WindowsHost::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

size_t WindowsHost::eventCount() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

void WindowsHost::clearEvents() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

bool WindowsHost::saw(const std::string& prefix) const {
    std::lock_guard lock(mutex_);
    for (const auto& event : events_) {
        if (event.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

std::u16string WindowsHost::lastNameOf(int32_t point) const {
    std::lock_guard lock(mutex_);
    for (auto it = names_.rbegin(); it != names_.rend(); ++it) {
        if (it->first == point) return it->second;
    }
    return {};
}

void WindowsHost::EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                            TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                            LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) {
    {
        std::lock_guard lock(mutex_);
        if (Nombre.contains(Name)) names_.emplace_back(Name, Nombre.get(Name));
    }
    record(test::enfocaPolText(Name, nPtos, PolN, nVer, capP, NoPoli, colPol));
}

void WindowsHost::EnfocaPuntito(int32_t& Name, int32_t& polM) {
    record(test::enfocaPuntitoText(Name, polM));
    if (onEnfocaPuntito) onEnfocaPuntito(Name, polM);
}

void WindowsHost::Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) {
    record(test::zoomText(amplia, punto, polM));
}

void WindowsHost::CancelarEnfoca() {
    record("CancelarEnfoca()");
}

void WindowsHost::newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                 int32_t& acolpol) {
    record(test::newPolCambialaText(aPolN, aVertP, acapP, aNoPoli, acolpol));
    drawing_.writePolyline(aPolN, aVertP, acapP, aNoPoli, acolpol);
}

}  // namespace orv::e2e
