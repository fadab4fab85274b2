#include "com/event_connection_point.h"

#include <olectl.h>

#include "com/Orv_Pol_edit.h"
#include "com/com_error.h"
#include "com/snapshot_enumerator.h"
#include "platform/win32/structured_fault.h"

namespace orv::com {

HRESULT EventConnectionPoint::QueryInterface(REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
            *out = static_cast<IConnectionPoint*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    });
}

HRESULT EventConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!iid) return E_POINTER;
        *iid = DIID___C_Enf_Pol;
        return S_OK;
    });
}

HRESULT EventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!container) return E_POINTER;
        *container = &owner_;
        owner_.AddRef();
        return S_OK;
    });
}

HRESULT EventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!cookie) return E_POINTER;
        *cookie = 0;
        if (!sink) return E_POINTER;
        ComPtr<IDispatch> dispatch;
        // A sink that implements the event interface itself is preferred; any IDispatch will do for
        // late-bound hosts.
        if (FAILED(sink->QueryInterface(DIID___C_Enf_Pol, dispatch.putVoid())) &&
            FAILED(sink->QueryInterface(IID_IDispatch, dispatch.putVoid())))
            return CONNECT_E_CANNOTCONNECT;
        sinks_.push_back({nextCookie_, std::move(dispatch)});
        *cookie = nextCookie_++;
        return S_OK;
    });
}

HRESULT EventConnectionPoint::Unadvise(DWORD cookie) noexcept {
    return atComEdge([&]() -> HRESULT {
        for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
            if (it->cookie != cookie) continue;
            // The sink may be the last reference to something that calls back into us: release it after the
            // erase.
            ComPtr<IDispatch> released = std::move(it->dispatch);
            sinks_.erase(it);
            return S_OK;
        }
        return CONNECT_E_NOCONNECTION;
    });
}

HRESULT EventConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!connections) return E_POINTER;
        *connections = nullptr;
        std::vector<CONNECTDATA> data;
        for (const Sink& sink : sinks_) data.push_back({sink.dispatch.get(), sink.cookie});
        *connections = new ConnectionEnumerator(module_, data);
        return S_OK;
    });
}

std::optional<automation::AutomationError> EventConnectionPoint::fire(DISPID id,
                                                                      std::span<VARIANTARG> arguments) {
    // A sink may subscribe or unsubscribe from inside its handler: the event goes to those subscribed when it
    // began.
    std::vector<ComPtr<IDispatch>> receivers;
    for (const Sink& sink : sinks_) receivers.push_back(sink.dispatch);
    std::optional<automation::AutomationError> failure;
    for (const ComPtr<IDispatch>& receiver : receivers) {
        DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        EXCEPINFO info = {};
        UINT argumentError = 0;
        SetErrorInfo(0, nullptr);
        HRESULT hr = E_UNEXPECTED;
        // A sink that faults has failed like one that returned an error; the guard stands right at the call
        // so that none of our own frames is abandoned with it.
        const std::optional<platform::StructuredFault> fault = platform::runGuarded([&] {
            hr = receiver->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr,
                                  &info, &argumentError);
        });
        if (fault && !failure) failure = platform::faultError(*fault);
        if (!fault && FAILED(hr)) {
            automation::AutomationError error = errorFromFailedCall(hr, info);
            if (!failure) failure = std::move(error);
        }
    }
    return failure;
}

}  // namespace orv::com
