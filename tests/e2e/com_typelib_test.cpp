// The type library embedded in the DLLs and their version records, attribute by attribute.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "com/com_handles.h"
#include "com_test_host.h"

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

// The point arrays travel alike in the method and in the event that hands the edits back.
std::vector<Param> withPointArrays(std::vector<Param> before, std::initializer_list<Param> after) {
    for (const wchar_t* name : {L"X", L"Y", L"Z"}) before.push_back({name, L"SAFEARRAY R8", true});
    before.push_back({L"Nombre", L"SAFEARRAY BSTR", true});
    before.push_back({L"C\u00f3digo", L"SAFEARRAY BSTR", true});
    before.push_back({L"CapaPuntos", L"SAFEARRAY I2", true});
    before.insert(before.end(), after);
    return before;
}

struct Member {
    MEMBERID id;
    std::wstring name;
    FUNCKIND kind;
    std::wstring result;
    std::vector<Param> params;
};

const Member kPasaDatos = {DISPID_PasaDatos, L"PasaDatos", FUNC_PUREVIRTUAL, L"HRESULT",
                           withPointArrays({{L"Tipo", L"I2", true},
                                            {L"frm1", L"DISPATCH", true},
                                            {L"PtoEnfo", L"I4", true},
                                            {L"Nuput", L"I4", true}},
                                           {{L"noCapas", L"I4", true},
                                            {L"Capas", L"SAFEARRAY BSTR", true},
                                            {L"PolN", L"I4", true},
                                            {L"VertP", L"SAFEARRAY I4", true},
                                            {L"capP", L"I2", true},
                                            {L"NoPoli", L"I4", false},
                                            {L"Polcol", L"I4", true}})};

const std::vector<Member> kEvents = {
    {1, L"EnfocaPol", FUNC_DISPATCH, L"VOID",
     withPointArrays({{L"Name", L"I4", true}, {L"nPtos", L"I4", true}}, {{L"PolN", L"I4", true},
                                                                         {L"nVer", L"SAFEARRAY I4", true},
                                                                         {L"capP", L"I2", true},
                                                                         {L"NoPoli", L"I4", true},
                                                                         {L"colPol", L"I4", true}})},
    {2, L"EnfocaPuntito", FUNC_DISPATCH, L"VOID", {{L"Name", L"I4", true}, {L"polM", L"I4", true}}},
    {3,
     L"Zoom",
     FUNC_DISPATCH,
     L"VOID",
     {{L"amplia", L"BOOL", true}, {L"punto", L"I4", true}, {L"polM", L"I4", true}}},
    {4, L"CancelarEnfoca", FUNC_DISPATCH, L"VOID", {}},
    {5,
     L"newPolCambiala",
     FUNC_DISPATCH,
     L"VOID",
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

void expectMember(ITypeInfo* info, const FUNCDESC& function, const Member& expected) {
    EXPECT_EQ(function.memid, expected.id);
    EXPECT_EQ(nameOf(info, function.memid), expected.name);
    EXPECT_EQ(function.funckind, expected.kind) << function.memid;
    EXPECT_EQ(function.invkind, INVOKE_FUNC) << function.memid;
    EXPECT_EQ(typeText(function.elemdescFunc.tdesc), expected.result) << function.memid;
    EXPECT_EQ(parametersOf(info, function), expected.params);
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

void expectLibraryAttributes(const std::wstring& dll, SYSKIND syskind) {
    ComPtr<ITypeLib> library = embeddedLibrary(dll);
    ASSERT_TRUE(library);
    TLIBATTR* a = nullptr;
    ASSERT_EQ(library->GetLibAttr(&a), S_OK);
    EXPECT_EQ(a->guid, LIBID_Orv_Pol_edit);
    EXPECT_EQ(a->wMajorVerNum, 39);
    EXPECT_EQ(a->wMinorVerNum, 0);
    EXPECT_EQ(a->lcid, 0x0409u);
    EXPECT_EQ(a->syskind, syskind);
    library->ReleaseTLibAttr(a);
    com::UniqueBstr name, help;
    library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr);
    EXPECT_EQ(name.str(), L"Orv_Pol_edit");
    EXPECT_EQ(help.str(), L"Orv-> Editor Pol");
    EXPECT_EQ(library->GetTypeInfoCount(), 3u);
}

TEST(EmbeddedTypeLibrary, LibraryAttributes) {
    expectLibraryAttributes(dllUnderTest(), sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
}

TEST(EmbeddedTypeLibrary, TheI686LibraryIsForWin32) {
    if (!fileExists(i686Dll())) GTEST_SKIP() << "no i686 build";
    expectLibraryAttributes(i686Dll(), SYS_WIN32);
}

TEST(EmbeddedTypeLibrary, TypesAsLoaded) {
    struct Type {
        const GUID& guid;
        std::wstring name;
        TYPEKIND kind;
        WORD flags;
        WORD implemented;
    };
    const Type types[] = {
        {IID__C_Enf_Pol, L"_C_Enf_Pol", TKIND_DISPATCH,
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE, 1},
        {DIID___C_Enf_Pol, L"__C_Enf_Pol", TKIND_DISPATCH,
         TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FDISPATCHABLE, 1},
        // The loader may mark the class dispatchable or not.
        {CLSID_C_Enf_Pol, L"C_Enf_Pol", TKIND_COCLASS, TYPEFLAG_FCANCREATE, 2},
    };
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ASSERT_TRUE(library);
    for (const Type& type : types) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfoOfGuid(type.guid, info.put()), S_OK);
        EXPECT_EQ(nameOf(info.get()), type.name);
        const Attributes a = attributesOf(info.get());
        EXPECT_EQ(a.kind, type.kind) << nameOf(info.get());
        const WORD ignored = type.kind == TKIND_COCLASS ? TYPEFLAG_FDISPATCHABLE : 0;
        EXPECT_EQ(a.flags & ~ignored, type.flags) << nameOf(info.get());
        EXPECT_EQ(a.major, 1);
        EXPECT_EQ(a.minor, 0);
        EXPECT_EQ(a.implemented, type.implemented) << nameOf(info.get());
    }
}

TEST(EmbeddedTypeLibrary, DualInterfaceWithPasaDatosInTheEighthSlot) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> dispatchView;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID__C_Enf_Pol, dispatchView.put()), S_OK);
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
    EXPECT_EQ(function->oVft, static_cast<SHORT>(7 * sizeof(void*))) << "slot 8";
    expectMember(vtable.get(), *function, kPasaDatos);
    vtable->ReleaseFuncDesc(function);
}

TEST(EmbeddedTypeLibrary, EventInterfaceWithItsFiveEvents) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID___C_Enf_Pol, events.put()), S_OK);
    // The loader may list IDispatch's own members before the events; the events follow, in their order.
    size_t next = 0;
    for (UINT i = 0; i < attributesOf(events.get()).functions; ++i) {
        FUNCDESC* function = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &function), S_OK);
        if (!(function->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            EXPECT_LT(next, kEvents.size());
            if (next < kEvents.size()) expectMember(events.get(), *function, kEvents[next]);
            ++next;
        }
        events->ReleaseFuncDesc(function);
    }
    EXPECT_EQ(next, kEvents.size());
}

TEST(EmbeddedTypeLibrary, TheClassImplementsItsDefaultAndSourceInterfaces) {
    ComPtr<ITypeLib> library = embeddedLibrary(dllUnderTest());
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_C_Enf_Pol, coclass.put()), S_OK);
    INT flags = 0;
    EXPECT_EQ(nameOf(implemented(coclass.get(), 0, &flags).get()), L"_C_Enf_Pol");
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    EXPECT_EQ(nameOf(implemented(coclass.get(), 1, &flags).get()), L"__C_Enf_Pol");
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
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
