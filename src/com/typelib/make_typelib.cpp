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
#include <initializer_list>
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

enum Shape { Scalar, Array };
enum Passing { ByRef, ByVal };

// A parameter: its name, its type (an array's element type), and how it is passed.
struct Param {
    const wchar_t* name;
    VARTYPE type;
    Shape shape = Scalar;
    Passing passing = ByRef;
};

struct Function {
    MEMBERID id;
    const wchar_t* name;
    std::vector<Param> params;
};

// An interface of the library with its functions, all of one kind and result type.
struct Interface {
    const wchar_t* name;
    TYPEKIND kind;
    GUID guid;
    UINT flags;
    FUNCKIND functionKind;
    VARTYPE result;
    std::vector<Function> functions;
};

// The point arrays travel alike in the method and in the event that hands the edits back.
std::vector<Param> withPointArrays(std::vector<Param> before, std::initializer_list<Param> after) {
    for (const Param& p : {Param{L"X", VT_R8, Array}, Param{L"Y", VT_R8, Array}, Param{L"Z", VT_R8, Array},
                           Param{L"Nombre", VT_BSTR, Array}, Param{L"C\u00f3digo", VT_BSTR, Array},
                           Param{L"CapaPuntos", VT_I2, Array}})
        before.push_back(p);
    before.insert(before.end(), after);
    return before;
}

const Interface kInterface = {
    L"_C_Enf_Pol",
    TKIND_INTERFACE,
    kInterfaceId,
    TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION,
    FUNC_PUREVIRTUAL,
    VT_HRESULT,
    {{0x60030000, L"PasaDatos",
      withPointArrays({{L"Tipo", VT_I2}, {L"frm1", VT_DISPATCH}, {L"PtoEnfo", VT_I4}, {L"Nuput", VT_I4}},
                      {{L"noCapas", VT_I4},
                       {L"Capas", VT_BSTR, Array},
                       {L"PolN", VT_I4},
                       {L"VertP", VT_I4, Array},
                       {L"capP", VT_I2},
                       {L"NoPoli", VT_I4, Scalar, ByVal},
                       {L"Polcol", VT_I4}})}},
};

const Interface kEvents = {
    L"__C_Enf_Pol",
    TKIND_DISPATCH,
    kEventsId,
    TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE,
    FUNC_DISPATCH,
    VT_VOID,
    {{1, L"EnfocaPol",
      withPointArrays({{L"Name", VT_I4}, {L"nPtos", VT_I4}}, {{L"PolN", VT_I4},
                                                              {L"nVer", VT_I4, Array},
                                                              {L"capP", VT_I2},
                                                              {L"NoPoli", VT_I4},
                                                              {L"colPol", VT_I4}})},
     {2, L"EnfocaPuntito", {{L"Name", VT_I4}, {L"polM", VT_I4}}},
     {3, L"Zoom", {{L"amplia", VT_BOOL}, {L"punto", VT_I4}, {L"polM", VT_I4}}},
     {4, L"CancelarEnfoca", {}},
     {5,
      L"newPolCambiala",
      {{L"aPolN", VT_I4},
       {L"aVertP", VT_I4, Array},
       {L"acapP", VT_I2},
       {L"aNoPoli", VT_I4},
       {L"acolpol", VT_I4}}}},
};

// Owns the nested TYPEDESCs of one function's parameters while the function is added.
class ParamDescs {
  public:
    explicit ParamDescs(const std::vector<Param>& params) : descs_(params.size() * 2), elems_(params.size()) {
        for (size_t i = 0; i < params.size(); ++i) {
            TYPEDESC* value = &descs_[i * 2];
            value->vt = params[i].type;
            if (params[i].shape == Array) {
                TYPEDESC* element = &descs_[i * 2 + 1];
                *element = *value;
                value->vt = VT_SAFEARRAY;
                value->lptdesc = element;
            }
            ELEMDESC& elem = elems_[i];
            if (params[i].passing == ByRef) {
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

void addFunction(ICreateTypeInfo* info, UINT index, const Interface& owner, const Function& function) {
    ParamDescs descs(function.params);
    FUNCDESC func = {};
    func.memid = function.id;
    func.funckind = owner.functionKind;
    func.invkind = INVOKE_FUNC;
    func.callconv = CC_STDCALL;
    func.cParams = static_cast<SHORT>(function.params.size());
    func.lprgelemdescParam = descs.data();
    func.elemdescFunc.tdesc.vt = owner.result;
    check(info->AddFuncDesc(index, &func), "AddFuncDesc");
    std::vector<LPOLESTR> names{const_cast<LPOLESTR>(function.name)};
    for (const Param& p : function.params) names.push_back(const_cast<LPOLESTR>(p.name));
    check(info->SetFuncAndParamNames(index, names.data(), static_cast<UINT>(names.size())),
          "SetFuncAndParamNames");
}

// A type of the library at version 1.0, named, identified and flagged.
void createType(ICreateTypeLib2* lib, const wchar_t* name, TYPEKIND kind, const GUID& guid, UINT flags,
                Ref<ICreateTypeInfo>& type) {
    check(lib->CreateTypeInfo(const_cast<LPOLESTR>(name), kind, type.out()), "CreateTypeInfo");
    check(type->SetGuid(guid), "SetGuid");
    check(type->SetTypeFlags(flags), "SetTypeFlags");
    check(type->SetVersion(1, 0), "SetVersion");
}

// An interface deriving from IDispatch, with its functions, laid out.
void createInterface(ICreateTypeLib2* lib, const Interface& desc, ITypeInfo* dispatch,
                     Ref<ICreateTypeInfo>& type) {
    createType(lib, desc.name, desc.kind, desc.guid, desc.flags, type);
    HREFTYPE base = 0;
    check(type->AddRefTypeInfo(dispatch, &base), "AddRefTypeInfo IDispatch");
    check(type->AddImplType(0, base), "AddImplType IDispatch");
    UINT index = 0;
    for (const Function& function : desc.functions) addFunction(type.get(), index++, desc, function);
    check(type->LayOut(), "LayOut");
}

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

    Ref<ICreateTypeInfo> iface, events, coclass;
    createInterface(lib.get(), kInterface, dispatch.get(), iface);
    createInterface(lib.get(), kEvents, dispatch.get(), events);

    createType(lib.get(), L"C_Enf_Pol", TKIND_COCLASS, kClassId, TYPEFLAG_FCANCREATE, coclass);
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
