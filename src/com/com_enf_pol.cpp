#include "com/com_enf_pol.h"

#include <olectl.h>

#include "com/borrowed_array.h"
#include "com/com_error.h"
#include "com/host_form.h"
#include "com/snapshot_enumerator.h"
#include "component/error_trap.h"

namespace orv::com {
namespace {

ComPtr<ITypeInfo> vtableView(const ComPtr<ITypeInfo>& dispatchView) {
    HREFTYPE handle = 0;
    ComPtr<ITypeInfo> view;
    if (FAILED(dispatchView->GetRefTypeOfImplType(-1, &handle)) ||
        FAILED(dispatchView->GetRefTypeInfo(handle, view.put())))
        return dispatchView;
    return view;
}

}  // namespace

ComEnfPol::ComEnfPol(ServerModule& module)
    : module_(module),
      dispatchInfo_(module.typeInfo(IID__C_Enf_Pol)),
      interfaceInfo_(vtableView(dispatchInfo_)),
      point_(*this, module),
      events_(point_),
      object_(module.services(), events_, module.dialogFactory()) {
    module_.objectCreated();
}

ComEnfPol::~ComEnfPol() {
    module_.objectDestroyed();
}

HRESULT ComEnfPol::create(ServerModule& module, REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        *out = nullptr;
        ComPtr<ComEnfPol> object = ComPtr<ComEnfPol>::adopt(new ComEnfPol(module));
        return object->QueryInterface(iid, out);
    });
}

HRESULT ComEnfPol::QueryInterface(REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__C_Enf_Pol)
            *out = static_cast<_C_Enf_Pol*>(this);
        else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
            *out = static_cast<IProvideClassInfo2*>(this);
        else if (iid == IID_ISupportErrorInfo)
            *out = static_cast<ISupportErrorInfo*>(this);
        else if (iid == IID_IConnectionPointContainer)
            *out = static_cast<IConnectionPointContainer*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    });
}

ULONG ComEnfPol::AddRef() noexcept {
    return countAtComEdge([&]() -> ULONG { return ++references_; });
}

ULONG ComEnfPol::Release() noexcept {
    return countAtComEdge([&]() -> ULONG {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    });
}

HRESULT ComEnfPol::GetTypeInfoCount(UINT* count) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    });
}

HRESULT ComEnfPol::GetTypeInfo(UINT index, LCID, ITypeInfo** info) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        *info = ComPtr<ITypeInfo>(dispatchInfo_).detach();
        return S_OK;
    });
}

HRESULT ComEnfPol::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        return DispGetIDsOfNames(interfaceInfo_.get(), names, count, ids);
    });
}

HRESULT ComEnfPol::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                          EXCEPINFO* exception, UINT* argumentError) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        // Windows refuses more arguments than the method declares; Wine's DispInvoke drops the extra ones
        // silently. Refuse them on both.
        if (id == DISPID_PasaDatos && parameters && parameters->cArgs > 17) return DISP_E_BADPARAMCOUNT;
        return DispInvoke(static_cast<_C_Enf_Pol*>(this), interfaceInfo_.get(), id, flags, parameters, result,
                          exception, argumentError);
    });
}

HRESULT ComEnfPol::PasaDatos(SHORT* Tipo, IDispatch** frm1, LONG* PtoEnfo, LONG* Nuput, SAFEARRAY** X,
                             SAFEARRAY** Y, SAFEARRAY** Z, SAFEARRAY** Nombre, SAFEARRAY** Código,
                             SAFEARRAY** CapaPuntos, LONG* noCapas, SAFEARRAY** Capas, LONG* PolN,
                             SAFEARRAY** VertP, SHORT* capP, LONG NoPoli, LONG* Polcol) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!Tipo || !frm1 || !PtoEnfo || !Nuput || !X || !Y || !Z || !Nombre || !Código || !CapaPuntos ||
            !noCapas || !Capas || !PolN || !VertP || !capP || !Polcol)
            return E_POINTER;
        // The host may drop its last reference from inside an event handler: stay alive, and loaded, until
        // the dialog has closed.
        ComPtr<ComEnfPol> alive(this);
        OpenDialog open(module_);

        // The class writes nothing back through its arguments: the scalars go in as copies, the arrays as
        // borrows the dialog copies at intake.
        int16_t tipo = *Tipo, capa = *capP;
        int32_t ptoEnfo = *PtoEnfo, nuput = *Nuput, capas = *noCapas, polN = *PolN, polcol = *Polcol;
        automation::ObjectRef form = hostObjectOf(*frm1);
        BorrowedArray<double> x(*X), y(*Y), z(*Z);
        BorrowedArray<automation::Text> nombre(*Nombre), codigo(*Código), capasNombres(*Capas);
        BorrowedArray<int16_t> capaPuntos(*CapaPuntos);
        BorrowedArray<int32_t> vertP(*VertP);
        if (!(x.fits() && y.fits() && z.fits() && nombre.fits() && codigo.fits() && capasNombres.fits() &&
              capaPuntos.fits() && vertP.fits())) {
            // An intake failure like any other: the class's box, a normal return, nothing opened.
            component::reportError(module_.services().toolkit(), component::kPasaDatosTrap,
                                   automation::standardError(automation::error_number::kTypeMismatch));
            return S_OK;
        }
        object_.PasaDatos(tipo, form, ptoEnfo, nuput, x.get(), y.get(), z.get(), nombre.get(), codigo.get(),
                          capaPuntos.get(), capas, capasNombres.get(), polN, vertP.get(), capa, NoPoli,
                          polcol);
        return S_OK;
    });
}

HRESULT ComEnfPol::GetClassInfo(ITypeInfo** info) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!info) return E_POINTER;
        *info = nullptr;
        *info = module_.typeInfo(CLSID_C_Enf_Pol).detach();
        return S_OK;
    });
}

HRESULT ComEnfPol::GetGUID(DWORD kind, GUID* guid) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!guid) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
            *guid = GUID_NULL;
            return E_INVALIDARG;
        }
        *guid = DIID___C_Enf_Pol;
        return S_OK;
    });
}

HRESULT ComEnfPol::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
    return atComEdge([&]() -> HRESULT { return iid == IID__C_Enf_Pol ? S_OK : S_FALSE; });
}

HRESULT ComEnfPol::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!points) return E_POINTER;
        *points = nullptr;
        *points = new ConnectionPointEnumerator(module_, {&point_});
        return S_OK;
    });
}

HRESULT ComEnfPol::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!point) return E_POINTER;
        *point = nullptr;
        if (iid != DIID___C_Enf_Pol) return CONNECT_E_NOCONNECTION;
        *point = &point_;
        point_.AddRef();
        return S_OK;
    });
}

}  // namespace orv::com
