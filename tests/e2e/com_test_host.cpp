#include "com_test_host.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace orv::e2e {

std::wstring realDll() {
    const wchar_t* value = _wgetenv(L"ORV_COM_DLL");
    return value ? value : L"";
}

LoadedServer::LoadedServer(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
    if (!module_) throw std::runtime_error("cannot load the server (ORV_COM_DLL)");
}

ComPtr<IClassFactory> LoadedServer::factory() const {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    get(CLSID_C_Enf_Pol, IID_IClassFactory, factory.putVoid());
    return factory;
}

HRESULT LoadedServer::call(const char* exportName) const {
    using Export = HRESULT(STDAPICALLTYPE*)();
    return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_, exportName)))();
}

void HostArray::setText(LONG index, const std::wstring& text) {
    BSTR value = SysAllocString(text.c_str());
    SafeArrayPutElement(array_, &index, value);
    SysFreeString(value);
}

// The descriptor, the elements' bytes (a string by its identity) and the strings' texts.
std::wstring HostArray::fingerprint() const {
    if (!array_) return L"null";
    const SAFEARRAYBOUND bound = array_->rgsabound[0];
    std::wostringstream out;
    out << array_ << L":" << array_->fFeatures << L":" << bound.lLbound << L"+" << bound.cElements << L"=";
    const auto* bytes = static_cast<const unsigned char*>(array_->pvData);
    for (ULONG i = 0; i < bound.cElements * array_->cbElements; ++i) out << int(bytes[i]) << L" ";
    for (ULONG i = 0; array_->fFeatures & FADF_BSTR && i < bound.cElements; ++i)
        if (BSTR text = static_cast<BSTR*>(array_->pvData)[i]) out << L"'" << text;
    return out.str();
}

HostDrawing::HostDrawing(LONG points, LONG vertices, LONG layers)
    : Nuput(points),
      noCapas(layers),
      X(VT_R8, 0, points + 1),
      Y(VT_R8, 0, points + 1),
      Z(VT_R8, 0, points + 1),
      Nombre(VT_BSTR, 0, points + 1),
      Código(VT_BSTR, 0, points + 1),
      CapaPuntos(VT_I2, 0, points + 1),
      Capas(VT_BSTR, 0, layers + 1),
      VertP(VT_I4, 1, vertices ? vertices : 4) {
    for (LONG p = 1; p <= points; ++p) {
        X.at<double>(p) = 1000.5 + p;
        Y.at<double>(p) = 2000.25 + p;
        Z.at<double>(p) = 10.0 * p;
        Nombre.setText(p, L"P" + std::to_wstring(p));
        Código.setText(p, L"C\u00f3d" + std::to_wstring(p));
        CapaPuntos.at<SHORT>(p) = static_cast<SHORT>(1 + p % 2);
    }
    for (LONG k = 1; k <= layers; ++k)
        Capas.setText(k, k == 1 ? L"Ejes" : k == 2 ? L"Bordes" : L"Capa " + std::to_wstring(k));
    const LONG sample[] = {2, 3, 5, 6};
    for (LONG i = 1; i <= (vertices ? vertices : 4); ++i) VertP.at<LONG>(i) = vertices ? i : sample[i - 1];
}

std::wstring HostDrawing::fingerprint() {
    std::wostringstream out;
    out << Tipo << L"," << reinterpret_cast<uintptr_t>(frm1) << L"," << PtoEnfo << L"," << Nuput << L","
        << noCapas << L"," << PolN << L"," << NoPoli << L"," << Polcol << L"," << capP << L"|";
    for (HostArray* array : {&X, &Y, &Z, &Nombre, &Código, &CapaPuntos, &Capas, &VertP})
        out << array->fingerprint() << L"|";
    return out.str();
}

HRESULT HostDrawing::pasaDatos(_C_Enf_Pol& object) {
    return object.PasaDatos(&Tipo, &frm1, &PtoEnfo, &Nuput, X.address(), Y.address(), Z.address(),
                            Nombre.address(), Código.address(), CapaPuntos.address(), &noCapas,
                            Capas.address(), &PolN, VertP.address(), &capP, NoPoli, &Polcol);
}

std::vector<VARIANTARG> HostDrawing::byReferenceArguments() {
    // Last first; NoPoli's slot is set by value below.
    const VARTYPE i2 = VT_I2, i4 = VT_I4, i2s = VT_ARRAY | VT_I2, i4s = VT_ARRAY | VT_I4,
                  r8s = VT_ARRAY | VT_R8, texts = VT_ARRAY | VT_BSTR;
    const VARTYPE types[] = {i4,    i4,  i2,  i4s, i4, texts, i4,          i2s, texts,
                             texts, r8s, r8s, r8s, i4, i4,    VT_DISPATCH, i2};
    // The arrays' slots are their HostArray's.
    void* const values[] = {&Polcol, nullptr, &capP, &VertP, &PolN,  &Capas,   &noCapas, &CapaPuntos, &Código,
                            &Nombre, &Z,      &Y,    &X,     &Nuput, &PtoEnfo, &frm1,    &Tipo};
    std::vector<VARIANTARG> args(std::size(types));
    for (size_t at = 0; at < args.size(); ++at) {
        args[at].vt = VT_BYREF | types[at];
        args[at].byref = types[at] & VT_ARRAY ? static_cast<HostArray*>(values[at])->address() : values[at];
    }
    args[1].vt = VT_I4, args[1].lVal = NoPoli;
    return args;
}

HRESULT invokePasaDatos(IDispatch& object, std::vector<VARIANTARG>& arguments) {
    DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT result = object.Invoke(DISPID_PasaDatos, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &parameters, nullptr, &exception, &argumentError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

namespace {

// An argument as the log shows it; an array of more than 12 elements by its size alone.
std::wstring argumentText(const VARIANTARG& argument) {
    std::wostringstream out;
    const VARTYPE type = argument.vt & VT_TYPEMASK;
    if (!(argument.vt & VT_ARRAY)) {
        if (type == VT_I4) out << *argument.plVal;
        if (type == VT_I2) out << *argument.piVal;
        if (type == VT_BOOL) out << (*argument.pboolVal ? L"true" : L"false");
        return out.str();
    }
    SAFEARRAY* array = *argument.pparray;
    const ULONG count = array ? array->rgsabound[0].cElements : 0;
    if (count > 12) return L"[" + std::to_wstring(count) + L" elements]";
    out << L"[";
    for (ULONG at = 0; at < count; ++at) {
        out << (at ? L" " : L"");
        if (type == VT_I4) out << static_cast<LONG*>(array->pvData)[at];
        if (type == VT_I2) out << static_cast<SHORT*>(array->pvData)[at];
        if (type == VT_R8) out << static_cast<double*>(array->pvData)[at];
        if (BSTR text = type == VT_BSTR ? static_cast<BSTR*>(array->pvData)[at] : nullptr) out << text;
    }
    return out.str() + L"]";
}

}  // namespace

HRESULT EventSink::QueryInterface(REFIID iid, void** out) noexcept {
    const bool ours = iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID___C_Enf_Pol;
    *out = ours ? static_cast<IDispatch*>(this) : nullptr;
    return ours ? S_OK : E_NOINTERFACE;
}

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                          EXCEPINFO* exception, UINT*) noexcept {
    static const wchar_t* const names[] = {L"?",    L"EnfocaPol",      L"EnfocaPuntito",
                                           L"Zoom", L"CancelarEnfoca", L"newPolCambiala"};
    std::wstring entry = label_ + (id >= 1 && id <= 5 ? names[id] : names[0]) + L"(";
    for (UINT i = parameters->cArgs; i > 0; --i)
        entry += argumentText(parameters->rgvarg[i - 1]) + (i > 1 ? L", " : L"");
    log_.add(entry + L")");
    ++calls_;
    return hook ? hook(id, *parameters, exception) : S_OK;
}

Subscription::Subscription(IUnknown* source, IDispatch* sink) {
    ComPtr<IConnectionPointContainer> container;
    source->QueryInterface(IID_IConnectionPointContainer, container.putVoid());
    if (!container || FAILED(container->FindConnectionPoint(DIID___C_Enf_Pol, point_.put())) ||
        FAILED(point_->Advise(sink, &cookie_)))
        throw std::runtime_error("cannot subscribe");
}

Log toBoth(const Log& events) {
    Log both;
    for (const std::wstring& event : events) {
        both.push_back(L"A " + event);
        both.push_back(L"B " + event);
    }
    return both;
}

}  // namespace orv::e2e
