#pragma once
// The component as the host uses it: C_Enf_Pol created by its programmatic name from the registered
// Orv_Pol_edit.dll, the host's sink advised on its connection point, and PasaDatos called with a snapshot of
// the drawing.
#include <ocidl.h>

#include <stdexcept>

#include "com/Orv_Pol_edit.h"
#include "com/com_ptr.h"
#include "component_events.h"
#include "drawing.h"

namespace orv::host {

// The component could not be created or subscribed to; `what` says why for the user.
class ComponentError : public std::runtime_error {
  public:
    ComponentError(const std::string& what, HRESULT result) : std::runtime_error(what), result_(result) {}
    HRESULT result() const { return result_; }

  private:
    HRESULT result_;
};

enum class Dialog : SHORT { Focus = 0, Editor = 1 };

class PolylineComponent {
  public:
    explicit PolylineComponent(ComponentEvents& events);
    ~PolylineComponent();
    PolylineComponent(const PolylineComponent&) = delete;
    PolylineComponent& operator=(const PolylineComponent&) = delete;

    // Opens the dialog on polyline `polyline` and returns when it has closed; the events arrive meanwhile.
    HRESULT open(Dialog dialog, const Drawing& drawing, int32_t polyline);

  private:
    com::ComPtr<_C_Enf_Pol> component_;
    com::ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

}  // namespace orv::host
