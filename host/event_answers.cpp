#include "event_answers.h"

#include <algorithm>

#include "safe_array.h"

namespace orv::host {

EventAnswers::EventAnswers(Drawing& drawing, PlanView& view, std::function<void(const std::wstring&)> changed)
    : drawing_(drawing), view_(view), changed_(std::move(changed)) {}

void EventAnswers::begin(Dialog dialog) {
    dialog_ = dialog;
    cancelled_ = false;
}

void EventAnswers::record(std::wstring entry) {
    log_.push_back(std::move(entry));
}

void EventAnswers::EnfocaPol(const EditedData& data) {
    record(L"EnfocaPol(" + std::to_wstring(*data.Name) + L", " + std::to_wstring(*data.PolN) + L")");
    const bool points = takePoints(data);
    const bool polyline = takePolyline(data);
    if (points || polyline) changed_(L"Datos de la polilínea " + std::to_wstring(*data.PolN) + L" recibidos");
    view_.redraw();
}

// The dialog's point arrays are subscripted by point number; only the points the host has are taken.
bool EventAnswers::takePoints(const EditedData& data) {
    const ArrayView x(*data.X), y(*data.Y), z(*data.Z), name(*data.Nombre), code(*data.Código),
        layer(*data.CapaPuntos);
    bool changed = false;
    for (int32_t p = 1; p <= drawing_.pointCount(); ++p) {
        if (!x.has(p) || !y.has(p) || !z.has(p) || !name.has(p) || !code.has(p) || !layer.has(p)) break;
        SurveyPoint edited{name.text(p),    x.at<double>(p), y.at<double>(p),
                           z.at<double>(p), code.text(p),    layer.at<SHORT>(p)};
        if (edited.layer < 0 || edited.layer > static_cast<int32_t>(drawing_.layers.size()))
            edited.layer = drawing_.point(p).layer;
        SurveyPoint& kept = drawing_.points[static_cast<size_t>(p - 1)];
        if (edited == kept) continue;
        kept = std::move(edited);
        changed = true;
    }
    return changed;
}

// Vertex 1 is element 1 (element 0, when there is one, is not a vertex). A list that no longer makes a line,
// or names points the drawing does not have, is not taken: the polyline keeps its vertices.
bool EventAnswers::takePolyline(const EditedData& data) {
    if (!drawing_.hasPolyline(*data.PolN)) return false;
    Polyline edited = drawing_.polyline(*data.PolN);
    const ArrayView vertices(*data.nVer);
    std::vector<int32_t> points;
    for (LONG i = std::max(1L, vertices.lower); vertices.has(i); ++i) points.push_back(vertices.at<LONG>(i));
    const bool valid =
        std::all_of(points.begin(), points.end(), [&](int32_t p) { return drawing_.hasPoint(p); });
    if (points.size() >= 2 && valid) edited.points = std::move(points);
    if (*data.capP >= 1 && *data.capP <= static_cast<int32_t>(drawing_.layers.size()))
        edited.layer = *data.capP;
    edited.colour = *data.colPol;
    if (edited == drawing_.polyline(*data.PolN)) return false;
    drawing_.polyline(*data.PolN) = std::move(edited);
    return true;
}

void EventAnswers::EnfocaPuntito(LONG& Name, LONG& polM) {
    record(L"EnfocaPuntito(" + std::to_wstring(Name) + L", " + std::to_wstring(polM) + L")");
    view_.setCurrent(drawing_.hasPolyline(polM) ? polM : view_.currentPolyline(), Name);
    view_.centreOn(Name);
}

void EventAnswers::Zoom(VARIANT_BOOL& amplia, LONG& punto, LONG& polM) {
    record(std::wstring(L"Zoom(") + (amplia ? L"true" : L"false") + L", " + std::to_wstring(punto) + L", " +
           std::to_wstring(polM) + L")");
    // The focus dialog names a vertex of polyline polM, the editor a point.
    LONG point = punto;
    if (dialog_ == Dialog::Focus) {
        if (!drawing_.hasPolyline(polM)) return;
        const auto& vertices = drawing_.polyline(polM).points;
        if (punto < 1 || punto > static_cast<LONG>(vertices.size())) return;
        point = vertices[static_cast<size_t>(punto - 1)];
    }
    view_.zoomAround(point, amplia ? 2.0 : 0.5);
}

void EventAnswers::CancelarEnfoca() {
    record(L"CancelarEnfoca()");
    cancelled_ = true;
}

void EventAnswers::newPolCambiala(const PolylineRequest& request) {
    record(L"newPolCambiala(" + std::to_wstring(*request.aPolN) + L")");
    const LONG count = drawing_.polylineCount();
    if (count == 0) return;
    // A number typed past either end is taken round, as the dialog's arrows do.
    const LONG wanted = ((*request.aPolN - 1) % count + count) % count + 1;
    const Polyline& polyline = drawing_.polyline(wanted);
    SafeArray vertices(VT_I4, 1, static_cast<LONG>(polyline.points.size()));
    if (!vertices.get()) return;
    const ArrayView list(vertices.get());
    for (size_t i = 0; i < polyline.points.size(); ++i)
        list.at<LONG>(static_cast<LONG>(i + 1)) = polyline.points[i];
    // The list is the dialog's by reference: the old one is ours to free once replaced.
    const SafeArray old(std::exchange(*request.aVertP, vertices.release()));
    *request.aPolN = wanted;
    *request.acapP = polyline.layer;
    *request.aNoPoli = count;
    *request.acolpol = polyline.colour;
    view_.setCurrent(wanted, view_.currentPoint());
}

}  // namespace orv::host
