#pragma once
// How this host answers the component's events: the plan view follows the point on display, zooms around it,
// the requested polyline is written into the dialog's variables, and edited data is taken into the drawing.
#include <functional>
#include <string>
#include <vector>

#include "component_events.h"
#include "drawing.h"
#include "plan_view.h"
#include "polyline_component.h"

namespace orv::host {

class EventAnswers final : public ComponentEvents {
  public:
    EventAnswers(Drawing& drawing, PlanView& view, std::function<void(const std::wstring&)> changed);

    // Before each PasaDatos: the dialog being opened (the zoom request's number depends on it).
    void begin(Dialog dialog);
    bool cancelled() const { return cancelled_; }
    // One line per event received, as "Name(arguments)", for the status bar and the tour.
    const std::vector<std::wstring>& log() const { return log_; }
    void clearLog() { log_.clear(); }

    void EnfocaPol(const EditedData& data) override;
    void EnfocaPuntito(LONG& Name, LONG& polM) override;
    void Zoom(VARIANT_BOOL& amplia, LONG& punto, LONG& polM) override;
    void CancelarEnfoca() override;
    void newPolCambiala(const PolylineRequest& request) override;

  private:
    bool takePoints(const EditedData& data);
    bool takePolyline(const EditedData& data);
    void record(std::wstring entry);

    Drawing& drawing_;
    PlanView& view_;
    std::function<void(const std::wstring&)> changed_;
    Dialog dialog_ = Dialog::Focus;
    bool cancelled_ = false;
    std::vector<std::wstring> log_;
};

}  // namespace orv::host
