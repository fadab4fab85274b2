#pragma once
// C_Enf_Pol as a COM object: the dual interface _C_Enf_Pol (dispatch through the type library), class
// information, error information and the connection point of __C_Enf_Pol. It adapts the component's class and
// holds no dialog logic of its own.
#include <ocidl.h>

#include <atomic>

#include "com/Orv_Pol_edit.h"
#include "com/com_ptr.h"
#include "com/event_connection_point.h"
#include "com/server_module.h"
#include "com/sink_events.h"
#include "component/c_enf_pol.h"

namespace orv::com {

class ComEnfPol final : public _C_Enf_Pol,
                        public IProvideClassInfo2,
                        public ISupportErrorInfo,
                        public IConnectionPointContainer {
  public:
    // The class factory's creation function.
    static HRESULT create(ServerModule& module, REFIID iid, void** out) noexcept;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override;

    HRESULT STDMETHODCALLTYPE PasaDatos(SHORT* Tipo, IDispatch** frm1, LONG* PtoEnfo, LONG* Nuput,
                                        SAFEARRAY** X, SAFEARRAY** Y, SAFEARRAY** Z, SAFEARRAY** Nombre,
                                        SAFEARRAY** Código, SAFEARRAY** CapaPuntos, LONG* noCapas,
                                        SAFEARRAY** Capas, LONG* PolN, SAFEARRAY** VertP, SHORT* capP,
                                        LONG NoPoli, LONG* Polcol) noexcept override;

    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) noexcept override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;

  private:
    explicit ComEnfPol(ServerModule& module);
    ~ComEnfPol();

    ServerModule& module_;
    std::atomic<ULONG> references_{1};
    // The dispatch view hands out to callers; the interface view drives DispInvoke through the vtable.
    ComPtr<ITypeInfo> dispatchInfo_;
    ComPtr<ITypeInfo> interfaceInfo_;
    EventConnectionPoint point_;
    SinkEvents events_;
    component::C_Enf_Pol object_;
};

}  // namespace orv::com
