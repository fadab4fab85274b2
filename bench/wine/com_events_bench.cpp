// An event's way from a dialog through C_Enf_Pol and the COM connection point to a host's sink, at a hundred
// points and at a million: every argument is a VT_BYREF variant on the dialog's own variable, so the size of
// the drawing must not show.
#include <ocidl.h>
#include <windows.h>

#include "com/event_connection_point.h"
#include "com/server_module.h"
#include "com/sink_events.h"
#include "common/bench_services.h"
#include "common/bench_size.h"
#include "common/drawing_cache.h"
#include "common/event_bench_dialog.h"
#include "component/c_enf_pol.h"
#include "wine/benches.h"
#include "wine/stopwatch.h"

namespace orv::bench {
namespace {

// The connection point only counts references through its container.
class BareContainer final : public IConnectionPointContainer {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IConnectionPointContainer) return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID, IConnectionPoint**) noexcept override {
        return E_NOTIMPL;
    }
};

// A host's sink that writes one element: the second element of the first Long array it is handed, or else its
// first Long.
class WritingSink final : public IDispatch {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
        *out = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override {
        LONG* scalar = nullptr;
        for (UINT i = parameters->cArgs; i-- > 0;) {
            VARIANTARG& argument = parameters->rgvarg[i];
            if (argument.vt == (VT_BYREF | VT_ARRAY | VT_I4) && *argument.pparray != nullptr) {
                SAFEARRAY* array = *argument.pparray;
                LONG index = 0;
                SafeArrayGetLBound(array, 1, &index);
                ++index;
                LONG* element = nullptr;
                if (SUCCEEDED(SafeArrayPtrOfIndex(array, &index, reinterpret_cast<void**>(&element)))) {
                    *element = *element;
                    sum += *element;
                    return S_OK;
                }
            }
            if (argument.vt == (VT_BYREF | VT_I4) && scalar == nullptr) scalar = argument.plVal;
        }
        if (scalar != nullptr) sum += * scalar = *scalar;
        return S_OK;
    }

    long long sum = 0;
};

enum class Event { RetornaPunto, newPolCambia, RetornaOpcion };
constexpr Event kEvents[] = {Event::RetornaPunto, Event::newPolCambia, Event::RetornaOpcion};
const char* nameOf(Event event) {
    switch (event) {
        case Event::RetornaPunto:
            return "RetornaPunto";
        case Event::newPolCambia:
            return "newPolCambia";
        default:
            return "RetornaOpcion";
    }
}

void raise(Event event, dialog::DialogEvents& events, DialogVariables& v) {
    switch (event) {
        case Event::RetornaPunto:
            events.RetornaPunto(v.PtoAct, v.PolN);
            break;
        case Event::newPolCambia:
            events.newPolCambia(v.PolN, v.VertP, v.capP, v.NoPoli, v.colPol);
            break;
        case Event::RetornaOpcion:
            events.RetornaOpcion(v.PtoAct, v.nPtos, v.X, v.Y, v.Z, v.Nombre, v.Código, v.CapaPuntos, v.PolN,
                                 v.VertP, v.capP, v.NoPoli, v.colPol);
            break;
    }
}

}  // namespace

void runComEventBench() {
    com::ServerModule module(GetModuleHandleW(nullptr));
    BareContainer container;
    com::EventConnectionPoint point(container, module);
    WritingSink sink;
    DWORD cookie = 0;
    point.Advise(&sink, &cookie);
    com::SinkEvents events(point);
    BenchServices services;

    // Both drawings are open at once (the large one's dialog runs inside the small one's), so that their
    // batches alternate and see the same load.
    const int64_t batch = repeated(100000);
    BenchDrawing& small = drawingOf(sized(100));
    BenchDrawing& large = drawingOf(sized(1000000));
    dialog::DialogEvents* smallRelay = nullptr;
    DialogVariables* smallVariables = nullptr;
    auto timeBatch = [&](Event event, dialog::DialogEvents& relay, DialogVariables& v) {
        const double start = nowMs();
        for (int64_t i = 0; i < batch; ++i) raise(event, relay, v);
        return (nowMs() - start) / static_cast<double>(batch) * 1000.0;
    };
    EventBenchFactory largeFactory([&](dialog::DialogEvents& relay, DialogVariables& v) {
        for (Event event : kEvents) {
            std::vector<double> onSmall, onLarge;
            for (int run = 0; run < 9; ++run) {
                onSmall.push_back(timeBatch(event, *smallRelay, *smallVariables));
                onLarge.push_back(timeBatch(event, relay, v));
            }
            report(std::string("com_event.") + nameOf(event), small.nPtos, median(onSmall), "us");
            report(std::string("com_event.") + nameOf(event), large.nPtos, median(onLarge), "us");
        }
    });
    component::C_Enf_Pol largeObject(services, events, &largeFactory);
    EventBenchFactory smallFactory([&](dialog::DialogEvents& relay, DialogVariables& v) {
        smallRelay = &relay;
        smallVariables = &v;
        automation::ObjectRef form;
        BenchDrawing& d = large;
        largeObject.PasaDatos(d.Tipo, form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código,
                              d.CapaPuntos, d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
    });
    component::C_Enf_Pol smallObject(services, events, &smallFactory);
    automation::ObjectRef form;
    BenchDrawing& d = small;
    smallObject.PasaDatos(d.Tipo, form, d.PtoEnfo, d.nPtos, d.X, d.Y, d.Z, d.Nombre, d.Código, d.CapaPuntos,
                          d.noCapas, d.Capas, d.PolN, d.VertP, d.capP, d.NoPoli, d.colPol);
    point.Unadvise(cookie);
    report("com_event.sink_sum", 0, static_cast<double>(sink.sum % 1000), "");
}

}  // namespace orv::bench
