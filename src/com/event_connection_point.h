#pragma once
// The one connection point of C_Enf_Pol, for __C_Enf_Pol. It lives inside the object: its references are the
// object's. Any number of sinks may subscribe; each event goes to all of them in the order they subscribed.
#include <ocidl.h>

#include <optional>
#include <span>
#include <vector>

#include "automation/automation_error.h"
#include "com/com_ptr.h"
#include "com/server_module.h"

namespace orv::com {

class EventConnectionPoint final : public IConnectionPoint {
  public:
    EventConnectionPoint(IConnectionPointContainer& owner, ServerModule& module)
        : owner_(owner), module_(module) {}
    EventConnectionPoint(const EventConnectionPoint&) = delete;
    EventConnectionPoint& operator=(const EventConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return owner_.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) noexcept override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) noexcept override;

    // Invokes the event on every sink. The arguments are in DISPPARAMS order (last argument first) and are
    // handed to each sink as they are. Every sink is called; the first failure is returned. A sink that
    // faults has failed with error 51 (see platform/win32/structured_fault.h).
    std::optional<automation::AutomationError> fire(DISPID id, std::span<VARIANTARG> arguments);

  private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> dispatch;
    };

    IConnectionPointContainer& owner_;
    ServerModule& module_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace orv::com
