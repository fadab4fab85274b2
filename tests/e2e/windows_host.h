#pragma once
// Plays the host in front of real windows: owns a drawing, the Windows services and a C_Enf_Pol, and records
// every event as one readable string (the same form as the headless tests' recording host). The driver thread
// reads the record while the dialog runs, so it is kept under a lock.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "component/c_enf_pol.h"
#include "component/c_enf_pol_events.h"
#include "dialog/win32/win32_services.h"
#include "support/drawing.h"

namespace orv::e2e {

using Events = std::vector<std::string>;
using automation::VariantBool;
using dialog::DoubleArray;
using dialog::IntegerArray;
using dialog::LongArray;
using dialog::TextArray;
using test::Drawing;

class WindowsHost : public component::C_Enf_PolEvents {
  public:
    explicit WindowsHost(Drawing drawing);
    ~WindowsHost() override;

    // PasaDatos(Tipo, ...) on the host's drawing; returns when the dialog has closed.
    void open(int16_t Tipo);

    Events events() const;
    size_t eventCount() const;
    void clearEvents();
    // Whether some event recorded so far starts with the text.
    bool saw(const std::string& prefix) const;
    // The name the host was last handed for a point by EnfocaPol (empty when none).
    std::u16string lastNameOf(int32_t point) const;

    Drawing& drawing() { return drawing_; }
    dialog::win32::Win32Services& services() { return services_; }

    // Run on the user-interface thread after an EnfocaPuntito is recorded.
    std::function<void(int32_t& Name, int32_t& polM)> onEnfocaPuntito;

    void EnfocaPol(int32_t& Name, int32_t& nPtos, DoubleArray& X, DoubleArray& Y, DoubleArray& Z,
                   TextArray& Nombre, TextArray& Código, IntegerArray& CapaPuntos, int32_t& PolN,
                   LongArray& nVer, int16_t& capP, int32_t& NoPoli, int32_t& colPol) override;
    void EnfocaPuntito(int32_t& Name, int32_t& polM) override;
    void Zoom(VariantBool& amplia, int32_t& punto, int32_t& polM) override;
    void CancelarEnfoca() override;
    void newPolCambiala(int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                        int32_t& acolpol) override;

  private:
    void record(std::string event);

    Drawing drawing_;
    dialog::win32::Win32Services services_;
    component::C_Enf_Pol component_;
    mutable std::mutex mutex_;
    Events events_;
    std::vector<std::pair<int32_t, std::u16string>> names_;
};

}  // namespace orv::e2e
