// What a host compiles against: the embedded type library read back as one signature line per member, and the
// version record, for both DLLs.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "com/com_handles.h"
#include "com_test_host.h"

namespace orv::e2e {
namespace {

std::wstring typeText(const TYPEDESC& type) {
    switch (type.vt) {
        case VT_PTR:
            return typeText(*type.lptdesc) + L"*";
        case VT_SAFEARRAY:
            return typeText(*type.lptdesc) + L"()";
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
        default:
            return L"vt" + std::to_wstring(type.vt);
    }
}

// "id Name(type name, ...)": an [in, out] parameter as its type ("I4*" by reference), an [in] one after "in".
std::wstring signature(ITypeInfo* info, const FUNCDESC& function) {
    std::vector<BSTR> names(function.cParams + 1, nullptr);
    UINT count = 0;
    info->GetNames(function.memid, names.data(), static_cast<UINT>(names.size()), &count);
    std::wstring out = std::to_wstring(function.memid) + L" " + names[0] + L"(";
    for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& element = function.lprgelemdescParam[i];
        const USHORT flags = element.paramdesc.wParamFlags;
        const bool inOut = flags == (PARAMFLAG_FIN | PARAMFLAG_FOUT);
        const wchar_t* passing = inOut ? L"" : flags == PARAMFLAG_FIN ? L"in " : L"? ";
        out += (i ? L", " : L"") + (passing + typeText(element.tdesc)) + L" " + names[i + 1];
    }
    for (BSTR name : names) SysFreeString(name);
    return out + L")";
}

std::vector<std::wstring> members(ITypeInfo* info) {
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    std::vector<std::wstring> result;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        info->GetFuncDesc(i, &function);
        // The loader may list IDispatch's own (restricted) members before the events.
        if (!(function->wFuncFlags & FUNCFLAG_FRESTRICTED)) result.push_back(signature(info, *function));
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return result;
}

const std::wstring kPoints =
    L"R8()* X, R8()* Y, R8()* Z, BSTR()* Nombre, BSTR()* C\u00f3digo, I2()* CapaPuntos";

TEST(EmbeddedTypeLibrary, IdentityAndEveryMemberAsAHostBindsIt) {
    for (const std::wstring& dll : {realDll(), i686Dll()}) {
        if (!fileExists(dll)) continue;
        ComPtr<ITypeLib> library;
        ASSERT_EQ(LoadTypeLibEx(dll.c_str(), REGKIND_NONE, library.put()), S_OK);
        TLIBATTR* a = nullptr;
        ASSERT_EQ(library->GetLibAttr(&a), S_OK);
        EXPECT_EQ(a->guid, LIBID_Orv_Pol_edit);
        EXPECT_EQ((std::vector<int>{a->wMajorVerNum, a->wMinorVerNum, static_cast<int>(a->lcid)}),
                  (std::vector<int>{39, 0, 0x0409}));
        EXPECT_EQ(a->syskind, dll == i686Dll() ? SYS_WIN32 : SYS_WIN64);
        library->ReleaseTLibAttr(a);
        com::UniqueBstr help;
        library->GetDocumentation(-1, nullptr, help.put(), nullptr, nullptr);
        EXPECT_EQ(help.str(), L"Orv-> Editor Pol");
    }
    ComPtr<ITypeLib> library;
    ASSERT_EQ(LoadTypeLibEx(realDll().c_str(), REGKIND_NONE, library.put()), S_OK);

    // The dual interface: PasaDatos in the eighth slot of its vtable view.
    ComPtr<ITypeInfo> dispatchView, vtable;
    ASSERT_EQ(library->GetTypeInfoOfGuid(IID__C_Enf_Pol, dispatchView.put()), S_OK);
    HREFTYPE handle = 0;
    ASSERT_EQ(dispatchView->GetRefTypeOfImplType(static_cast<UINT>(-1), &handle), S_OK);
    ASSERT_EQ(dispatchView->GetRefTypeInfo(handle, vtable.put()), S_OK);
    FUNCDESC* pasaDatos = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(0, &pasaDatos), S_OK);
    EXPECT_EQ(pasaDatos->oVft, static_cast<SHORT>(7 * sizeof(void*)));
    vtable->ReleaseFuncDesc(pasaDatos);
    EXPECT_EQ(members(vtable.get()),
              (std::vector<std::wstring>{std::to_wstring(DISPID_PasaDatos) +
                                         L" PasaDatos(I2* Tipo, DISPATCH* frm1, I4* PtoEnfo, I4* Nuput, " +
                                         kPoints +
                                         L", I4* noCapas, BSTR()* Capas, I4* PolN, I4()* VertP, I2* capP, "
                                         L"in I4 NoPoli, I4* Polcol)"}));

    ComPtr<ITypeInfo> events;
    ASSERT_EQ(library->GetTypeInfoOfGuid(DIID___C_Enf_Pol, events.put()), S_OK);
    EXPECT_EQ(members(events.get()),
              (std::vector<std::wstring>{
                  L"1 EnfocaPol(I4* Name, I4* nPtos, " + kPoints +
                      L", I4* PolN, I4()* nVer, I2* capP, I4* NoPoli, I4* colPol)",
                  L"2 EnfocaPuntito(I4* Name, I4* polM)", L"3 Zoom(BOOL* amplia, I4* punto, I4* polM)",
                  L"4 CancelarEnfoca()",
                  L"5 newPolCambiala(I4* aPolN, I4()* aVertP, I2* acapP, I4* aNoPoli, I4* acolpol)"}));

    // The class: _C_Enf_Pol by default, __C_Enf_Pol its default source.
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_C_Enf_Pol, coclass.put()), S_OK);
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        ComPtr<ITypeInfo> implemented;
        coclass->GetRefTypeOfImplType(i, &handle);
        coclass->GetRefTypeInfo(handle, implemented.put());
        coclass->GetImplTypeFlags(i, &flags);
        com::UniqueBstr name;
        implemented->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(name.str(), i == 0 ? L"_C_Enf_Pol" : L"__C_Enf_Pol");
        EXPECT_EQ(flags, i == 0 ? IMPLTYPEFLAG_FDEFAULT : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    }
}

std::wstring versionString(const std::vector<BYTE>& data, const std::wstring& name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\0C0A04B0\\" + name;
    if (!VerQueryValueW(data.data(), path.c_str(), &text, &length)) return L"<none>";
    return length ? std::wstring(static_cast<wchar_t*>(text)) : std::wstring();
}

TEST(VersionRecord, OfBothDlls) {
    for (const std::wstring& dll : {realDll(), i686Dll()}) {
        if (!fileExists(dll)) continue;
        DWORD ignored = 0;
        std::vector<BYTE> data(GetFileVersionInfoSizeW(dll.c_str(), &ignored));
        ASSERT_FALSE(data.empty());
        ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
        EXPECT_EQ(fixed->dwFileVersionLS, 132u);
        std::wstring strings;
        for (const wchar_t* name :
             {L"FileVersion", L"ProductName", L"InternalName", L"OriginalFilename", L"OLESelfRegister"})
            strings += versionString(data, name) + L"|";
        EXPECT_EQ(strings, L"1.00.0132|Orv_Pol_edit|Orv_Pol_edit|Orv_Pol_edit.dll||");
    }
}

}  // namespace
}  // namespace orv::e2e
