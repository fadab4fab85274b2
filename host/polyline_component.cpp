#include "polyline_component.h"

#include "event_sink.h"
#include "safe_array.h"

namespace orv::host {

namespace {

// The drawing as PasaDatos takes it: point arrays subscripted by point number (element 0 unused), layer names
// by layer number (element 0 the name of "no layer"), the vertex list from subscript 1.
struct Snapshot {
    SafeArray X, Y, Z, Nombre, Código, CapaPuntos, Capas, VertP;
    LONG Nuput = 0, noCapas = 0, PolN = 0, NoPoli = 0, Polcol = 0;
    SHORT capP = 0;

    Snapshot(const Drawing& drawing, int32_t polyline)
        : X(VT_R8, 0, drawing.pointCount()),
          Y(VT_R8, 0, drawing.pointCount()),
          Z(VT_R8, 0, drawing.pointCount()),
          Nombre(VT_BSTR, 0, drawing.pointCount()),
          Código(VT_BSTR, 0, drawing.pointCount()),
          CapaPuntos(VT_I2, 0, drawing.pointCount()),
          Capas(VT_BSTR, 0, static_cast<LONG>(drawing.layers.size())),
          VertP(VT_I4, 1, static_cast<LONG>(drawing.polyline(polyline).points.size())),
          Nuput(drawing.pointCount()),
          noCapas(static_cast<LONG>(drawing.layers.size())),
          PolN(polyline),
          NoPoli(drawing.polylineCount()) {
        for (SafeArray* array : {&X, &Y, &Z, &Nombre, &Código, &CapaPuntos, &Capas, &VertP})
            if (!array->get()) throw std::bad_alloc();
        const ArrayView x(X.get()), y(Y.get()), z(Z.get()), layer(CapaPuntos.get());
        for (int32_t p = 1; p <= Nuput; ++p) {
            const SurveyPoint& point = drawing.point(p);
            x.at<double>(p) = point.x;
            y.at<double>(p) = point.y;
            z.at<double>(p) = point.z;
            setText(Nombre.get(), 0, p, point.name);
            setText(Código.get(), 0, p, point.code);
            layer.at<SHORT>(p) = point.layer;
        }
        setText(Capas.get(), 0, 0, L"");
        for (LONG k = 1; k <= noCapas; ++k)
            setText(Capas.get(), 0, k, drawing.layers[static_cast<size_t>(k - 1)]);
        const Polyline& shown = drawing.polyline(polyline);
        const ArrayView vertices(VertP.get());
        for (size_t i = 0; i < shown.points.size(); ++i)
            vertices.at<LONG>(static_cast<LONG>(i + 1)) = shown.points[i];
        capP = shown.layer;
        Polcol = shown.colour;
    }
};

}  // namespace

PolylineComponent::PolylineComponent(ComponentEvents& events) {
    CLSID clsid{};
    HRESULT result = CLSIDFromProgID(kOrvPolEditProgId, &clsid);
    if (FAILED(result))
        throw ComponentError("Orv_Pol_edit.C_Enf_Pol no está registrado (regsvr32 Orv_Pol_edit.dll)", result);
    result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__C_Enf_Pol, component_.putVoid());
    if (FAILED(result)) throw ComponentError("no se puede crear Orv_Pol_edit.C_Enf_Pol", result);
    auto container = component_.query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) throw ComponentError("C_Enf_Pol no tiene eventos", E_NOINTERFACE);
    result = container->FindConnectionPoint(DIID___C_Enf_Pol, events_.put());
    // The connection point keeps its own reference to the sink; ours ends with this scope.
    auto sink = com::ComPtr<EventSink>::adopt(new EventSink(events));
    if (SUCCEEDED(result)) result = events_->Advise(sink.get(), &cookie_);
    if (FAILED(result)) throw ComponentError("no se puede suscribir a los eventos de C_Enf_Pol", result);
}

PolylineComponent::~PolylineComponent() {
    events_->Unadvise(cookie_);
}

HRESULT PolylineComponent::open(Dialog dialog, const Drawing& drawing, int32_t polyline) {
    Snapshot s(drawing, polyline);
    SHORT tipo = static_cast<SHORT>(dialog);
    IDispatch* form = nullptr;
    LONG focusedPoint = 0;
    return component_->PasaDatos(&tipo, &form, &focusedPoint, &s.Nuput, s.X.address(), s.Y.address(),
                                 s.Z.address(), s.Nombre.address(), s.Código.address(),
                                 s.CapaPuntos.address(), &s.noCapas, s.Capas.address(), &s.PolN,
                                 s.VertP.address(), &s.capP, s.NoPoli, &s.Polcol);
}

}  // namespace orv::host
