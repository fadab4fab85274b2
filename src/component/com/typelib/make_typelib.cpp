// Writes the component's type library with oleaut32's ICreateTypeLib2. Run at build time (under Wine on a
// build machine): make_typelib.exe win32|win64 OUTPUT.tlb
//
// The library is written by hand rather than compiled from IDL because the interface keeps names that IDL
// compilers refuse (`Código`) and attributes they refuse on a dispinterface (version, nonextensible).
#include <oaidl.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr GUID kLibId = {0xD0755A44, 0x598B, 0x415B, {0x9E, 0x63, 0xA0, 0x00, 0x73, 0x0B, 0x42, 0x54}};
constexpr GUID kInterfaceId = {0x0C047ECF, 0x0B68, 0x4F28, {0xB3, 0xE4, 0x23, 0x45, 0x5F, 0x7B, 0xC7, 0x25}};
constexpr GUID kEventsId = {0x2E117657, 0x4504, 0x4895, {0x8E, 0x59, 0x7A, 0xA7, 0x7D, 0xDE, 0x8B, 0xBF}};
constexpr GUID kClassId = {0x89AAB406, 0x1F07, 0x445E, {0xB5, 0x02, 0x63, 0x01, 0x4D, 0x09, 0x81, 0x7F}};

class Failure {
  public:
    Failure(const char* step, HRESULT hr) : step_(step), hr_(hr) {}
    const char* step() const { return step_; }
    HRESULT hr() const { return hr_; }

  private:
    const char* step_;
    HRESULT hr_;
};

void check(HRESULT hr, const char* step) {
    if (FAILED(hr)) throw Failure(step, hr);
}

template <class T>
class Ref {
  public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (p_) p_->Release();
    }
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

  private:
    T* p_ = nullptr;
};

// Parameter kinds, each one level of TYPEDESC below the by-reference pointer where there is one.
enum class Kind { Integer, Long, Bool, Dispatch, DoubleArray, StringArray, IntegerArray, LongArray };

struct Param {
    const wchar_t* name;
    Kind kind;
    bool byRef;
};

VARTYPE elementType(Kind kind) {
    switch (kind) {
        case Kind::Integer:
            return VT_I2;
        case Kind::Long:
            return VT_I4;
        case Kind::Bool:
            return VT_BOOL;
        case Kind::Dispatch:
            return VT_DISPATCH;
        case Kind::DoubleArray:
            return VT_R8;
        case Kind::StringArray:
            return VT_BSTR;
        case Kind::IntegerArray:
            return VT_I2;
        case Kind::LongArray:
            return VT_I4;
    }
    return VT_EMPTY;
}

bool isArray(Kind kind) {
    return kind == Kind::DoubleArray || kind == Kind::StringArray || kind == Kind::IntegerArray ||
           kind == Kind::LongArray;
}

// Owns the nested TYPEDESCs of one function's parameters while the function is added.
class ParamDescs {
  public:
    explicit ParamDescs(const std::vector<Param>& params) : descs_(params.size() * 3), elems_(params.size()) {
        for (size_t i = 0; i < params.size(); ++i) {
            TYPEDESC* leaf = &descs_[i * 3 + 2];
            leaf->vt = elementType(params[i].kind);
            TYPEDESC* value = leaf;
            if (isArray(params[i].kind)) {
                value = &descs_[i * 3 + 1];
                value->vt = VT_SAFEARRAY;
                value->lptdesc = leaf;
            }
            ELEMDESC& elem = elems_[i];
            if (params[i].byRef) {
                elem.tdesc.vt = VT_PTR;
                elem.tdesc.lptdesc = value;
                elem.paramdesc.wParamFlags = PARAMFLAG_FIN | PARAMFLAG_FOUT;
            } else {
                elem.tdesc = *value;
                elem.paramdesc.wParamFlags = PARAMFLAG_FIN;
            }
        }
    }
    ELEMDESC* data() { return elems_.data(); }

  private:
    std::vector<TYPEDESC> descs_;
    std::vector<ELEMDESC> elems_;
};

void addFunction(ICreateTypeInfo* info, UINT index, MEMBERID id, FUNCKIND kind, VARTYPE result,
                 const wchar_t* name, const std::vector<Param>& params) {
    ParamDescs descs(params);
    FUNCDESC func = {};
    func.memid = id;
    func.funckind = kind;
    func.invkind = INVOKE_FUNC;
    func.callconv = CC_STDCALL;
    func.cParams = static_cast<SHORT>(params.size());
    func.lprgelemdescParam = descs.data();
    func.elemdescFunc.tdesc.vt = result;
    check(info->AddFuncDesc(index, &func), "AddFuncDesc");
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(name)};
    for (const Param& p : params) names.push_back(const_cast<LPOLESTR>(p.name));
    check(info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
          "SetFuncAndParamNames");
}

const std::vector<Param> kPasaDatos = {
    {L"Tipo", Kind::Integer, true},
    {L"frm1", Kind::Dispatch, true},
    {L"PtoEnfo", Kind::Long, true},
    {L"Nuput", Kind::Long, true},
    {L"X", Kind::DoubleArray, true},
    {L"Y", Kind::DoubleArray, true},
    {L"Z", Kind::DoubleArray, true},
    {L"Nombre", Kind::StringArray, true},
    {L"C\u00f3digo", Kind::StringArray, true},
    {L"CapaPuntos", Kind::IntegerArray, true},
    {L"noCapas", Kind::Long, true},
    {L"Capas", Kind::StringArray, true},
    {L"PolN", Kind::Long, true},
    {L"VertP", Kind::LongArray, true},
    {L"capP", Kind::Integer, true},
    {L"NoPoli", Kind::Long, false},
    {L"Polcol", Kind::Long, true},
};

struct Event {
    MEMBERID id;
    const wchar_t* name;
    std::vector<Param> params;
};

const std::vector<Event> kEvents = {
    {1,
     L"EnfocaPol",
     {{L"Name", Kind::Long, true},
      {L"nPtos", Kind::Long, true},
      {L"X", Kind::DoubleArray, true},
      {L"Y", Kind::DoubleArray, true},
      {L"Z", Kind::DoubleArray, true},
      {L"Nombre", Kind::StringArray, true},
      {L"C\u00f3digo", Kind::StringArray, true},
      {L"CapaPuntos", Kind::IntegerArray, true},
      {L"PolN", Kind::Long, true},
      {L"nVer", Kind::LongArray, true},
      {L"capP", Kind::Integer, true},
      {L"NoPoli", Kind::Long, true},
      {L"colPol", Kind::Long, true}}},
    {2, L"EnfocaPuntito", {{L"Name", Kind::Long, true}, {L"polM", Kind::Long, true}}},
    {3, L"Zoom", {{L"amplia", Kind::Bool, true}, {L"punto", Kind::Long, true}, {L"polM", Kind::Long, true}}},
    {4, L"CancelarEnfoca", {}},
    {5,
     L"newPolCambiala",
     {{L"aPolN", Kind::Long, true},
      {L"aVertP", Kind::LongArray, true},
      {L"acapP", Kind::Integer, true},
      {L"aNoPoli", Kind::Long, true},
      {L"acolpol", Kind::Long, true}}},
};

void asTypeInfo(ICreateTypeInfo* created, ITypeInfo** info) {
    check(created->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(info)), "QueryInterface ITypeInfo");
}

void write(SYSKIND syskind, const wchar_t* path) {
    Ref<ICreateTypeLib2> lib;
    check(CreateTypeLib2(syskind, path, lib.out()), "CreateTypeLib2");
    check(lib->SetName(const_cast<LPOLESTR>(L"Orv_Pol_edit")), "SetName");
    check(lib->SetGuid(kLibId), "SetGuid");
    check(lib->SetVersion(39, 0), "SetVersion");
    check(lib->SetLcid(0x0409), "SetLcid");
    check(lib->SetDocString(const_cast<LPOLESTR>(L"Orv-> Editor Pol")), "SetDocString");

    Ref<ITypeLib> stdole;
    check(LoadTypeLib(L"stdole2.tlb", stdole.out()), "LoadTypeLib stdole2");
    Ref<ITypeInfo> dispatch;
    check(stdole->GetTypeInfoOfGuid(IID_IDispatch, dispatch.out()), "IDispatch type info");

    Ref<ICreateTypeInfo> iface;
    check(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"_C_Enf_Pol"), TKIND_INTERFACE, iface.out()),
          "_C_Enf_Pol");
    check(iface->SetGuid(kInterfaceId), "interface guid");
    check(iface->SetTypeFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                              TYPEFLAG_FOLEAUTOMATION),
          "interface flags");
    check(iface->SetVersion(1, 0), "interface version");
    HREFTYPE dispatchRef = 0;
    check(iface->AddRefTypeInfo(dispatch.get(), &dispatchRef), "interface base");
    check(iface->AddImplType(0, dispatchRef), "interface impl");
    addFunction(iface.get(), 0, 0x60030000, FUNC_PUREVIRTUAL, VT_HRESULT, L"PasaDatos", kPasaDatos);
    check(iface->LayOut(), "interface layout");

    Ref<ICreateTypeInfo> events;
    check(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"__C_Enf_Pol"), TKIND_DISPATCH, events.out()),
          "__C_Enf_Pol");
    check(events->SetGuid(kEventsId), "events guid");
    check(events->SetTypeFlags(TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE), "events flags");
    check(events->SetVersion(1, 0), "events version");
    HREFTYPE eventsBase = 0;
    check(events->AddRefTypeInfo(dispatch.get(), &eventsBase), "events base");
    check(events->AddImplType(0, eventsBase), "events impl");
    UINT index = 0;
    for (const Event& event : kEvents)
        addFunction(events.get(), index++, event.id, FUNC_DISPATCH, VT_VOID, event.name, event.params);
    check(events->LayOut(), "events layout");

    Ref<ICreateTypeInfo> coclass;
    check(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"C_Enf_Pol"), TKIND_COCLASS, coclass.out()), "C_Enf_Pol");
    check(coclass->SetGuid(kClassId), "class guid");
    check(coclass->SetTypeFlags(TYPEFLAG_FCANCREATE), "class flags");
    check(coclass->SetVersion(1, 0), "class version");
    Ref<ITypeInfo> ifaceInfo, eventsInfo;
    asTypeInfo(iface.get(), ifaceInfo.out());
    asTypeInfo(events.get(), eventsInfo.out());
    HREFTYPE ifaceRef = 0, eventsRef = 0;
    check(coclass->AddRefTypeInfo(ifaceInfo.get(), &ifaceRef), "class interface ref");
    check(coclass->AddRefTypeInfo(eventsInfo.get(), &eventsRef), "class events ref");
    check(coclass->AddImplType(0, ifaceRef), "class interface");
    check(coclass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT), "class interface flags");
    check(coclass->AddImplType(1, eventsRef), "class events");
    check(coclass->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE), "class events flags");
    check(coclass->LayOut(), "class layout");

    check(lib->SaveAllChanges(), "SaveAllChanges");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || (std::wcscmp(argv[1], L"win32") != 0 && std::wcscmp(argv[1], L"win64") != 0)) {
        std::fprintf(stderr, "usage: make_typelib win32|win64 OUTPUT.tlb\n");
        return 2;
    }
    const SYSKIND syskind = std::wcscmp(argv[1], L"win32") == 0 ? SYS_WIN32 : SYS_WIN64;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int result = 0;
    try {
        write(syskind, argv[2]);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "make_typelib: %s failed (0x%08lX)\n", failure.step(),
                     static_cast<unsigned long>(failure.hr()));
        result = 1;
    }
    CoUninitialize();
    return result;
}
