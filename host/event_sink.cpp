#include "event_sink.h"

#include <exception>

#include "com/Orv_Pol_edit.h"

namespace orv::host {

namespace {

// Arguments arrive last first; `Arguments` reads them in declaration order and checks each one's type.
class Arguments {
  public:
    explicit Arguments(const DISPPARAMS& parameters) : p_(parameters) {}
    bool count(UINT expected) const { return p_.cArgs == expected; }
    template <class T>
    T* at(UINT position, VARTYPE type) const {
        const VARIANTARG& argument = p_.rgvarg[p_.cArgs - 1 - position];
        if (argument.vt != (VT_BYREF | type)) throw std::invalid_argument("argument type");
        return static_cast<T*>(argument.byref);
    }

  private:
    const DISPPARAMS& p_;
};

}  // namespace

HRESULT EventSink::QueryInterface(REFIID iid, void** out) noexcept {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID___C_Enf_Pol) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG EventSink::Release() noexcept {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT EventSink::GetTypeInfoCount(UINT* count) noexcept {
    if (count) *count = 0;
    return S_OK;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                          UINT*) noexcept try {
    return parameters ? dispatch(id, *parameters) : E_POINTER;
} catch (const std::invalid_argument&) {
    return DISP_E_TYPEMISMATCH;
} catch (...) {
    // Nothing of ours unwinds into the component.
    return E_UNEXPECTED;
}

HRESULT EventSink::dispatch(DISPID id, const DISPPARAMS& parameters) {
    const Arguments a(parameters);
    constexpr VARTYPE kLongs = VT_ARRAY | VT_I4, kDoubles = VT_ARRAY | VT_R8, kTexts = VT_ARRAY | VT_BSTR;
    switch (id) {
        case DISPID_EnfocaPol:
            if (!a.count(13)) return DISP_E_BADPARAMCOUNT;
            events_.EnfocaPol(EditedData{
                a.at<LONG>(0, VT_I4), a.at<LONG>(1, VT_I4), a.at<SAFEARRAY*>(2, kDoubles),
                a.at<SAFEARRAY*>(3, kDoubles), a.at<SAFEARRAY*>(4, kDoubles), a.at<SAFEARRAY*>(5, kTexts),
                a.at<SAFEARRAY*>(6, kTexts), a.at<SAFEARRAY*>(7, VT_ARRAY | VT_I2), a.at<LONG>(8, VT_I4),
                a.at<SAFEARRAY*>(9, kLongs), a.at<SHORT>(10, VT_I2), a.at<LONG>(11, VT_I4),
                a.at<LONG>(12, VT_I4)});
            return S_OK;
        case DISPID_EnfocaPuntito:
            if (!a.count(2)) return DISP_E_BADPARAMCOUNT;
            events_.EnfocaPuntito(*a.at<LONG>(0, VT_I4), *a.at<LONG>(1, VT_I4));
            return S_OK;
        case DISPID_Zoom:
            if (!a.count(3)) return DISP_E_BADPARAMCOUNT;
            events_.Zoom(*a.at<VARIANT_BOOL>(0, VT_BOOL), *a.at<LONG>(1, VT_I4), *a.at<LONG>(2, VT_I4));
            return S_OK;
        case DISPID_CancelarEnfoca:
            events_.CancelarEnfoca();
            return S_OK;
        case DISPID_newPolCambiala:
            if (!a.count(5)) return DISP_E_BADPARAMCOUNT;
            events_.newPolCambiala(PolylineRequest{a.at<LONG>(0, VT_I4), a.at<SAFEARRAY*>(1, kLongs),
                                                   a.at<SHORT>(2, VT_I2), a.at<LONG>(3, VT_I4),
                                                   a.at<LONG>(4, VT_I4)});
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

}  // namespace orv::host
