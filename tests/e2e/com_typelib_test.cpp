// The type library embedded in the DLLs and their version records, attribute by attribute.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "com_test_host.h"
#include "component/com/com_handles.h"

namespace orv::e2e {
namespace {

// A parameter: name, type chain below the by-reference pointer ("I2", "DISPATCH", "SAFEARRAY R8"...), flags.
struct Param {
    std::wstring name;
    std::wstring type;
    bool byRef;
};

std::wstring typeText(const TYPEDESC& type) {
    switch (type.vt) {
        case VT_PTR:
            return L"PTR " + typeText(*type.lptdesc);
        case VT_SAFEARRAY:
            return L"SAFEARRAY " + typeText(*type.lptdesc);
        case VT_I2:
            return L"I2";
        case VT_I4:
            return L"I4";
        case VT_R8:
            return L"R8";
        case VT_BSTR:
            return L"BSTR";
        case VT_BOOL:
            return L"BOOL";
        case VT_DISPATCH:
            return L"DISPATCH";
        case VT_HRESULT:
            return L"HRESULT";
        case VT_VOID:
            return L"VOID";
        default:
            return L"vt" + std::to_wstring(type.vt);
    }
}

std::vector<Param> parametersOf(ITypeInfo* info, const FUNCDESC& function) {
    std::vector<com::UniqueBstr> names(function.cParams + 1);
    std::vector<BSTR> raw(function.cParams + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, raw.data(), static_cast<UINT>(raw.size()), &count);
    for (size_t i = 0; i < raw.size(); ++i) *names[i].put() = raw[i];
    std::vector<Param> result;
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& element = function.lprgelemdescParam[i];
        const USHORT flags = element.paramdesc.wParamFlags;
        const bool inOut = flags == (PARAMFLAG_FIN | PARAMFLAG_FOUT) && element.tdesc.vt == VT_PTR;
        EXPECT_TRUE(inOut || flags == PARAMFLAG_FIN) << names[i + 1].str().size();
        result.push_back(
            {names[i + 1].str(), typeText(inOut ? *element.tdesc.lptdesc : element.tdesc), inOut});
    }
    return result;
}

bool operator==(const Param& a, const Param& b) {
    return a.name == b.name && a.type == b.type && a.byRef == b.byRef;
}
void PrintTo(const Param& p, std::ostream* out) {
    *out << std::string(p.name.begin(), p.name.end()) << ":" << std::string(p.type.begin(), p.type.end())
         << (p.byRef ? " [in,out]" : " [in]");
}

const std::vector<Param> kPasaDatos = {{L"Tipo", L"I2", true},
                                       {L"frm1", L"DISPATCH", true},
                                       {L"PtoEnfo", L"I4", true},
                                       {L"Nuput", L"I4", true},
                                       {L"X", L"SAFEARRAY R8", true},
                                       {L"Y", L"SAFEARRAY R8", true},
                                       {L"Z", L"SAFEARRAY R8", true},
                                       {L"Nombre", L"SAFEARRAY BSTR", true},
                                       {L"C\u00f3digo", L"SAFEARRAY BSTR", true},
                                       {L"CapaPuntos", L"SAFEARRAY I2", true},
                                       {L"noCapas", L"I4", true},
                                       {L"Capas", L"SAFEARRAY BSTR", true},
                                       {L"PolN", L"I4", true},
                                       {L"VertP", L"SAFEARRAY I4", true},
                                       {L"capP", L"I2", true},
                                       {L"NoPoli", L"I4", false},
                                       {L"Polcol", L"I4", true}};

struct Event {
    MEMBERID id;
    std::wstring name;
    std::vector<Param> params;
};
const std::vector<Event> kEvents = {
    {1,
     L"EnfocaPol",
     {{L"Name", L"I4", true},
      {L"nPtos", L"I4", true},
      {L"X", L"SAFEARRAY R8", true},
      {L"Y", L"SAFEARRAY R8", true},
      {L"Z", L"SAFEARRAY R8", true},
      {L"Nombre", L"SAFEARRAY BSTR", true},
      {L"C\u00f3digo", L"SAFEARRAY BSTR", true},
      {L"CapaPuntos", L"SAFEARRAY I2", true},
      {L"PolN", L"I4", true},
      {L"nVer", L"SAFEARRAY I4", true},
      {L"capP", L"I2", true},
      {L"NoPoli", L"I4", true},
      {L"colPol", L"I4", true}}},
    {2, L"EnfocaPuntito", {{L"Name", L"I4", true}, {L"polM", L"I4", true}}},
    {3, L"Zoom", {{L"amplia", L"BOOL", true}, {L"punto", L"I4", true}, {L"polM", L"I4", true}}},
    {4, L"CancelarEnfoca", {}},
    {5,
     L"newPolCambiala",
     {{L"aPolN", L"I4", true},
      {L"aVertP", L"SAFEARRAY I4", true},
      {L"acapP", L"I2", true},
      {L"aNoPoli", L"I4", true},
      {L"acolpol", L"I4", true}}},
};

std::wstring nameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    com::UniqueBstr name;
    info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr);
    return name.str();
}

struct Attributes {
    TYPEKIND kind;
    WORD flags, major, minor, functions, implemented;
};
Attributes attributesOf(ITypeInfo* info) {
    TYPEATTR* a = nullptr;
    info->GetTypeAttr(&a);
    Attributes result{a->typekind, a->wTypeFlags, a->wMajorVerNum, a->wMinorVerNum, a->cFuncs, a->cImplTypes};
    info->ReleaseTypeAttr(a);
    return result;
}

ComPtr<ITypeInfo> implemented(ITypeInfo* info, UINT index, INT* flags = nullptr) {
    HREFTYPE handle = 0;
    ComPtr<ITypeInfo> result;
    if (SUCCEEDED(info->GetRefTypeOfImplType(index, &handle))) info->GetRefTypeInfo(handle, result.put());
    if (flags) info->GetImplTypeFlags(index, flags);
    return result;
}

ComPtr<ITypeLib> embeddedLibrary(const std::wstring& dll) {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, library.put()), S_OK);
    return library;
}

std::wstring dllUnderTest() {
    return realDll();
}

TEST(EmbeddedTypeLibrary, LibraryAttributes) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ASSERT_TRUE(library);
    TLIBATTR* a = nullptr;
    ASSERT_EQ(library->GetLibAttr(&a), S_OK);
    EXPECT_EQ(a->guid, LIBID_Orv_Pol_edit);
    EXPECT_EQ(a->wMajorVerNum, 39);
    EXPECT_EQ(a->wMinorVerNum, 0);
    EXPECT_EQ(a->lcid, 0x0409u);
    EXPECT_EQ(a->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    library->ReleaseTLibAttr(a);
    com::UniqueBstr name, help;
    library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr);
    EXPECT_EQ(name.str(), L"Orv_Pol_edit");
    EXPECT_EQ(help.str(), L"Orv-> Editor Pol");
    EXPECT_EQ(library->GetTypeInfoCount(), 3u);
}

TEST(EmbeddedTypeLibrary, DualInterfaceWithPasaDatosInTheEighthSlot) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> dispatchView;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID__C_Enf_Pol, dispatchView.put()), S_OK);
    EXPECT_EQ(nameOf(dispatchView.get()), L"_C_Enf_Pol");
    Attributes d = attributesOf(dispatchView.get());
    EXPECT_EQ(d.kind, TKIND_DISPATCH);
    EXPECT_EQ(d.flags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(d.major, 1);
    EXPECT_EQ(d.minor, 0);

    ComPtr<ITypeInfo> vtable = implemented(dispatchView.get(), static_cast<UINT>(-1));
    ASSERT_TRUE(vtable);
    Attributes v = attributesOf(vtable.get());
    EXPECT_EQ(v.kind, TKIND_INTERFACE);
    EXPECT_EQ(v.flags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION |
                           TYPEFLAG_FDISPATCHABLE);
    ASSERT_EQ(v.functions, 1);
    ASSERT_EQ(v.implemented, 1);
    ComPtr<ITypeInfo> base = implemented(vtable.get(), 0);
    ASSERT_TRUE(base);
    EXPECT_EQ(nameOf(base.get()), L"IDispatch");
    ComPtr<ITypeLib> baseLibrary;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(baseLibrary.put(), &index), S_OK);
    TLIBATTR* stdole = nullptr;
    baseLibrary->GetLibAttr(&stdole);
    EXPECT_EQ(stdole->guid, GUID({0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}})) << "imports stdole2";
    baseLibrary->ReleaseTLibAttr(stdole);

    FUNCDESC* function = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(0, &function), S_OK);
    EXPECT_EQ(nameOf(vtable.get(), function->memid), L"PasaDatos");
    EXPECT_EQ(function->memid, DISPID_PasaDatos);
    EXPECT_EQ(function->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(function->invkind, INVOKE_FUNC);
    EXPECT_EQ(function->oVft, static_cast<SHORT>(7 * sizeof(void*))) << "slot 8";
    EXPECT_EQ(typeText(function->elemdescFunc.tdesc), L"HRESULT");
    EXPECT_EQ(parametersOf(vtable.get(), *function), kPasaDatos);
    vtable->ReleaseFuncDesc(function);
}

TEST(EmbeddedTypeLibrary, EventInterfaceWithItsFiveEvents) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID___C_Enf_Pol, events.put()), S_OK);
    EXPECT_EQ(nameOf(events.get()), L"__C_Enf_Pol");
    Attributes a = attributesOf(events.get());
    EXPECT_EQ(a.kind, TKIND_DISPATCH);
    EXPECT_EQ(a.flags, TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(a.major, 1);
    EXPECT_EQ(a.minor, 0);
    // The loader may list IDispatch's own members before the events; the events follow, in their order.
    size_t next = 0;
    for (UINT i = 0; i < a.functions; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &function), S_OK);
        if (function->wFuncFlags & FUNCFLAG_FRESTRICTED) {
            events->ReleaseFuncDesc(function);
            continue;
        }
        ASSERT_LT(next, kEvents.size());
        EXPECT_EQ(function->memid, kEvents[next].id);
        EXPECT_EQ(function->funckind, FUNC_DISPATCH);
        EXPECT_EQ(nameOf(events.get(), function->memid), kEvents[next].name);
        EXPECT_EQ(parametersOf(events.get(), *function), kEvents[next].params);
        events->ReleaseFuncDesc(function);
        ++next;
    }
    EXPECT_EQ(next, kEvents.size());
}

TEST(EmbeddedTypeLibrary, CreatableClassWithItsDefaultAndSourceInterfaces) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_C_Enf_Pol, coclass.put()), S_OK);
    EXPECT_EQ(nameOf(coclass.get()), L"C_Enf_Pol");
    Attributes a = attributesOf(coclass.get());
    EXPECT_EQ(a.kind, TKIND_COCLASS);
    EXPECT_EQ(a.flags & ~TYPEFLAG_FDISPATCHABLE, TYPEFLAG_FCANCREATE);
    EXPECT_EQ(a.major, 1);
    ASSERT_EQ(a.implemented, 2);
    INT flags = 0;
    EXPECT_EQ(nameOf(implemented(coclass.get(), 0, &flags).get()), L"_C_Enf_Pol");
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    EXPECT_EQ(nameOf(implemented(coclass.get(), 1, &flags).get()), L"__C_Enf_Pol");
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
}

TEST(EmbeddedTypeLibrary, TheI686LibraryIsForWin32) {
    if (!fileExists(i686Dll())) GTEST_SKIP() << "no i686 build";
    ComPtr<ITypeLib> library = embeddedLibrary(i686Dll());
    ASSERT_TRUE(library);
    TLIBATTR* a = nullptr;
    ASSERT_EQ(library->GetLibAttr(&a), S_OK);
    EXPECT_EQ(a->syskind, SYS_WIN32);
    EXPECT_EQ(a->guid, LIBID_Orv_Pol_edit);
    EXPECT_EQ(a->wMajorVerNum, 39);
    library->ReleaseTLibAttr(a);
}

std::wstring versionString(const std::vector<BYTE>& data, const std::wstring& name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\0C0A04B0\\" + name;
    if (!VerQueryValueW(data.data(), path.c_str(), &text, &length)) return L"<none>";
    return length ? std::wstring(static_cast<wchar_t*>(text)) : std::wstring();
}

void expectVersionRecord(const std::wstring& dll) {
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 132u);
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0C0A);
    EXPECT_EQ(translation[1], 1200);
    EXPECT_EQ(versionString(data, L"FileVersion"), L"1.00.0132");
    EXPECT_EQ(versionString(data, L"ProductName"), L"Orv_Pol_edit");
    EXPECT_EQ(versionString(data, L"InternalName"), L"Orv_Pol_edit");
    EXPECT_EQ(versionString(data, L"OriginalFilename"), L"Orv_Pol_edit.dll");
    EXPECT_EQ(versionString(data, L"OLESelfRegister"), L"");
}

TEST(VersionRecord, OfTheX86_64Dll) {
    expectVersionRecord(dllUnderTest());
}

TEST(VersionRecord, OfTheI686Dll) {
    if (!fileExists(i686Dll())) GTEST_SKIP() << "no i686 build";
    expectVersionRecord(i686Dll());
}

}  // namespace
}  // namespace orv::e2e
