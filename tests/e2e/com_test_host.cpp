#include "com_test_host.h"

#include <oleauto.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>

namespace orv::e2e {
namespace {

std::wstring environmentPath(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

}  // namespace

std::wstring realDll() {
    return environmentPath(L"ORV_COM_DLL");
}
std::wstring i686Dll() {
    return environmentPath(L"ORV_COM_DLL_I686");
}
bool fileExists(const std::wstring& path) {
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LoadedServer::LoadedServer(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
    if (!module_) throw std::runtime_error("cannot load the server");
}

LoadedServer::~LoadedServer() {
    FreeLibrary(module_);
}

ComPtr<IClassFactory> LoadedServer::factory() const {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    if (get) get(CLSID_C_Enf_Pol, IID_IClassFactory, factory.putVoid());
    return factory;
}

HRESULT LoadedServer::call(const char* exportName) const {
    using Export = HRESULT(STDAPICALLTYPE*)();
    auto function = reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module_, exportName)));
    return function ? function() : E_NOTIMPL;
}

HRESULT LoadedServer::canUnloadNow() const {
    return call("DllCanUnloadNow");
}

HostArray::HostArray(VARTYPE type, LONG lower, ULONG count)
    : array_(SafeArrayCreateVector(type, lower, count)) {}

HostArray::~HostArray() {
    if (array_) SafeArrayDestroy(array_);
}

void HostArray::setText(LONG index, const wchar_t* text) {
    BSTR value = SysAllocString(text);
    SafeArrayPutElement(array_, &index, value);
    SysFreeString(value);
}

std::wstring HostArray::fingerprint() const {
    std::wostringstream out;
    if (!array_) return L"null";
    VARTYPE type = VT_EMPTY;
    SafeArrayGetVartype(array_, &type);
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array_, 1, &lower);
    SafeArrayGetUBound(array_, 1, &upper);
    out << reinterpret_cast<uintptr_t>(array_) << L":" << type << L":" << lower << L".." << upper << L"=";
    for (LONG i = lower; i <= upper; ++i) {
        if (type == VT_BSTR) {
            BSTR text = at<BSTR>(i);
            out << reinterpret_cast<uintptr_t>(text) << L"'" << (text ? text : L"") << L"' ";
        } else if (type == VT_R8) {
            out << at<double>(i) << L" ";
        } else if (type == VT_I2) {
            out << at<SHORT>(i) << L" ";
        } else {
            out << at<LONG>(i) << L" ";
        }
    }
    return out.str();
}

HostDrawing::HostDrawing()
    : X(VT_R8, 0, 7),
      Y(VT_R8, 0, 7),
      Z(VT_R8, 0, 7),
      Nombre(VT_BSTR, 0, 7),
      Código(VT_BSTR, 0, 7),
      CapaPuntos(VT_I2, 0, 7),
      Capas(VT_BSTR, 0, 3),
      VertP(VT_I4, 1, 4) {
    for (LONG p = 1; p <= 6; ++p) {
        X.at<double>(p) = 1000.5 + p;
        Y.at<double>(p) = 2000.25 + p;
        Z.at<double>(p) = 10.0 * p;
        Nombre.setText(p, (L"P" + std::to_wstring(p)).c_str());
        Código.setText(p, (L"C\u00f3d" + std::to_wstring(p)).c_str());
        CapaPuntos.at<SHORT>(p) = static_cast<SHORT>(1 + p % 2);
    }
    Capas.setText(1, L"Ejes");
    Capas.setText(2, L"Bordes");
    const LONG vertices[] = {2, 3, 5, 6};
    for (LONG i = 1; i <= 4; ++i) VertP.at<LONG>(i) = vertices[i - 1];
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
    std::vector<VARIANTARG> args(17);
    for (VARIANTARG& arg : args) VariantInit(&arg);
    auto array = [](VARIANTARG& arg, VARTYPE type, HostArray& value) {
        arg.vt = VT_BYREF | VT_ARRAY | type;
        arg.pparray = value.address();
    };
    args[16].vt = VT_BYREF | VT_I2, args[16].piVal = &Tipo;
    args[15].vt = VT_BYREF | VT_DISPATCH, args[15].ppdispVal = &frm1;
    args[14].vt = VT_BYREF | VT_I4, args[14].plVal = &PtoEnfo;
    args[13].vt = VT_BYREF | VT_I4, args[13].plVal = &Nuput;
    array(args[12], VT_R8, X);
    array(args[11], VT_R8, Y);
    array(args[10], VT_R8, Z);
    array(args[9], VT_BSTR, Nombre);
    array(args[8], VT_BSTR, Código);
    array(args[7], VT_I2, CapaPuntos);
    args[6].vt = VT_BYREF | VT_I4, args[6].plVal = &noCapas;
    array(args[5], VT_BSTR, Capas);
    args[4].vt = VT_BYREF | VT_I4, args[4].plVal = &PolN;
    array(args[3], VT_I4, VertP);
    args[2].vt = VT_BYREF | VT_I2, args[2].piVal = &capP;
    args[1].vt = VT_I4, args[1].lVal = NoPoli;
    args[0].vt = VT_BYREF | VT_I4, args[0].plVal = &Polcol;
    return args;
}

std::wstring argumentText(const VARIANTARG& argument) {
    std::wostringstream out;
    switch (argument.vt) {
        case VT_BYREF | VT_I4:
            out << *argument.plVal;
            break;
        case VT_BYREF | VT_I2:
            out << *argument.piVal;
            break;
        case VT_BYREF | VT_BOOL:
            out << (*argument.pboolVal ? L"true" : L"false");
            break;
        case VT_BYREF | VT_ARRAY | VT_I4:
        case VT_BYREF | VT_ARRAY | VT_I2:
        case VT_BYREF | VT_ARRAY | VT_R8:
        case VT_BYREF | VT_ARRAY | VT_BSTR: {
            SAFEARRAY* array = *argument.pparray;
            if (!array) return L"[]";
            LONG lower = 0, upper = -1;
            SafeArrayGetLBound(array, 1, &lower);
            SafeArrayGetUBound(array, 1, &upper);
            out << L"[";
            for (LONG i = lower; i <= upper; ++i) {
                if (i > lower) out << L" ";
                const LONG at = i - lower;
                switch (argument.vt & VT_TYPEMASK) {
                    case VT_I4:
                        out << static_cast<LONG*>(array->pvData)[at];
                        break;
                    case VT_I2:
                        out << static_cast<SHORT*>(array->pvData)[at];
                        break;
                    case VT_R8:
                        out << static_cast<double*>(array->pvData)[at];
                        break;
                    default: {
                        BSTR text = static_cast<BSTR*>(array->pvData)[at];
                        out << (text ? text : L"");
                    }
                }
            }
            out << L"]";
            break;
        }
        default:
            out << L"?" << argument.vt;
    }
    return out.str();
}

EventSink::EventSink(std::vector<std::wstring>* log, std::wstring label)
    : log_(log), label_(std::move(label)) {}

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

HRESULT EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                          EXCEPINFO* exception, UINT*) noexcept {
    static const wchar_t* const names[] = {L"?",    L"EnfocaPol",      L"EnfocaPuntito",
                                           L"Zoom", L"CancelarEnfoca", L"newPolCambiala"};
    std::wstring entry = label_ + (id >= 1 && id <= 5 ? names[id] : names[0]) + L"(";
    for (UINT i = parameters->cArgs; i > 0; --i) {
        entry += argumentText(parameters->rgvarg[i - 1]);
        if (i > 1) entry += L", ";
    }
    log_->push_back(entry + L")");
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

Subscription::~Subscription() {
    point_->Unadvise(cookie_);
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::wstring> MessageBoxWatcher::boxes() {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::vector<std::wstring> MessageBoxWatcher::waitForBoxes(std::size_t count,
                                                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::optional<unsigned> reachedAtScan;
    while (std::chrono::steady_clock::now() < deadline) {
        const unsigned scan = scans_;
        if (boxes().size() >= count) {
            if (!reachedAtScan) reachedAtScan = scan;
            if (scan >= *reachedAtScan + 2) break;
        }
        Sleep(20);
    }
    return boxes();
}

namespace {

struct BoxContents {
    std::wstring text;
    bool critical = false;
    int buttons = 0;
};

// Visible dialog-class windows of this process: message boxes.
BOOL CALLBACK collectBox(HWND window, LPARAM context) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t kind[64] = {};
    GetClassNameW(window, kind, 64);
    if (process == GetCurrentProcessId() && std::wstring(kind) == L"#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

BOOL CALLBACK readChild(HWND child, LPARAM context) {
    auto& found = *reinterpret_cast<BoxContents*>(context);
    wchar_t kind[64] = {};
    GetClassNameW(child, kind, 64);
    if (_wcsicmp(kind, L"Button") == 0) ++found.buttons;
    if (_wcsicmp(kind, L"Static") != 0) return TRUE;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        found.critical = icon && icon == LoadIconW(nullptr, IDI_HAND);
        return TRUE;
    }
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    if (std::wstring(text).size() > found.text.size()) found.text = text;
    return TRUE;
}

}  // namespace

void MessageBoxWatcher::run() {
    std::set<HWND> seen;
    while (!stop_) {
        Sleep(20);
        std::vector<HWND> found;
        EnumWindows(collectBox, reinterpret_cast<LPARAM>(&found));
        for (HWND box : found) {
            if (!seen.insert(box).second) continue;
            wchar_t title[256] = {};
            GetWindowTextW(box, title, 256);
            BoxContents contents;
            EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(&contents));
            {
                std::lock_guard lock(mutex_);
                boxes_.push_back(std::wstring(title) + L"|" + contents.text + L"|" +
                                 (contents.critical ? L"critical" : L"other") + L"|" +
                                 std::to_wstring(contents.buttons));
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        ++scans_;
    }
}

}  // namespace orv::e2e
