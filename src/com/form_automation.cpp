#include "com/form_automation.h"

#include <oleauto.h>

#include <cwchar>

#include "com/com_error.h"
#include "ui/form.h"

namespace orv::com {
namespace {

enum Member : DISPID { kLeft = 1, kTop, kWidth, kHeight, kWindowState, kHwnd, kMove };

struct Name {
    const wchar_t* text;
    DISPID id;
};
constexpr Name kMembers[] = {{L"Left", kLeft},
                             {L"Top", kTop},
                             {L"Width", kWidth},
                             {L"Height", kHeight},
                             {L"WindowState", kWindowState},
                             {L"hWnd", kHwnd},
                             {L"Move", kMove}};

// The argument at position `index` in declared order, converted to a double; false when it was left out.
HRESULT argumentAsDouble(DISPPARAMS& parameters, UINT index, double& value, bool& given) {
    given = false;
    if (index >= parameters.cArgs) return S_OK;
    VARIANTARG& argument = parameters.rgvarg[parameters.cArgs - 1 - index];
    if (argument.vt == VT_ERROR && argument.scode == DISP_E_PARAMNOTFOUND) return S_OK;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, &argument, 0, VT_R8);
    if (FAILED(hr)) return hr;
    value = converted.dblVal;
    given = true;
    return S_OK;
}

}  // namespace

HRESULT FormAutomation::QueryInterface(REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    });
}

ULONG FormAutomation::Release() noexcept {
    return countAtComEdge([&]() -> ULONG {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    });
}

HRESULT FormAutomation::GetTypeInfoCount(UINT* count) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    });
}

HRESULT FormAutomation::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    });
}

HRESULT FormAutomation::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids || count == 0) return E_INVALIDARG;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        for (const Name& member : kMembers)
            if (_wcsicmp(member.text, names[0]) == 0) ids[0] = member.id;
        if (ids[0] == DISPID_UNKNOWN || count > 1) hr = DISP_E_UNKNOWNNAME;
        return hr;
    });
}

HRESULT FormAutomation::move(DISPPARAMS& parameters) {
    double values[4] = {form_->left(), form_->top(), form_->width(), form_->height()};
    for (UINT i = 0; i < 4; ++i) {
        bool given = false;
        double value = 0;
        const HRESULT hr = argumentAsDouble(parameters, i, value, given);
        if (FAILED(hr)) return hr;
        if (given) values[i] = value;
    }
    form_->setBounds(values[0], values[1], values[2], values[3]);
    return S_OK;
}

HRESULT FormAutomation::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                               VARIANT* result, EXCEPINFO*, UINT*) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
        if (!parameters) return E_INVALIDARG;
        if (!form_) return E_UNEXPECTED;
        if (id == kMove && (flags & DISPATCH_METHOD)) return move(*parameters);
        if (flags & DISPATCH_PROPERTYGET) {
            if (!result) return S_OK;
            VariantInit(result);
            switch (id) {
                case kLeft:
                    result->vt = VT_R4, result->fltVal = form_->left();
                    return S_OK;
                case kTop:
                    result->vt = VT_R4, result->fltVal = form_->top();
                    return S_OK;
                case kWidth:
                    result->vt = VT_R4, result->fltVal = form_->width();
                    return S_OK;
                case kHeight:
                    result->vt = VT_R4, result->fltVal = form_->height();
                    return S_OK;
                case kWindowState:
                    result->vt = VT_I4, result->lVal = form_->minimized() ? 1 : 0;
                    return S_OK;
                case kHwnd:
                    result->vt = VT_I4;
                    result->lVal = static_cast<LONG>(reinterpret_cast<INT_PTR>(window_));
                    return S_OK;
                default:
                    return DISP_E_MEMBERNOTFOUND;
            }
        }
        if (flags & DISPATCH_PROPERTYPUT) {
            double value = 0;
            bool given = false;
            const HRESULT hr = argumentAsDouble(*parameters, 0, value, given);
            if (FAILED(hr)) return hr;
            if (!given) return DISP_E_PARAMNOTOPTIONAL;
            switch (id) {
                case kLeft:
                    form_->setLeft(value);
                    return S_OK;
                case kTop:
                    form_->setTop(value);
                    return S_OK;
                case kWidth:
                    form_->setWidth(value);
                    return S_OK;
                case kHeight:
                    form_->setHeight(value);
                    return S_OK;
                case kWindowState:
                    form_->setMinimized(value == 1);
                    return S_OK;
                default:
                    return DISP_E_MEMBERNOTFOUND;
            }
        }
        return DISP_E_MEMBERNOTFOUND;
    });
}

}  // namespace orv::com
