#pragma once
// The host's sink of __C_Enf_Pol: unpacks each event's by-reference arguments and hands them to the host.
#include <ocidl.h>

#include <atomic>

#include "component_events.h"

namespace orv::host {

class EventSink final : public IDispatch {
  public:
    explicit EventSink(ComponentEvents& events) : events_(events) {}
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override;

  private:
    ~EventSink() = default;
    HRESULT dispatch(DISPID id, const DISPPARAMS& parameters);
    ComponentEvents& events_;
    std::atomic<ULONG> references_{1};
};

}  // namespace orv::host
