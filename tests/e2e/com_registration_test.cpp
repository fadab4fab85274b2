// Registration through regsvr32 (machine-wide) and what a host finds through it: the class by its
// programmatic name, the registered type library, the marshallers of both interfaces, the class's description
// of itself.
#include <olectl.h>
#include <process.h>

#include "com/com_handles.h"
#include "com_test_host.h"

namespace orv::e2e {
namespace {

#define CLSID_KEY L"CLSID\\{89AAB406-1F07-445E-B502-63014D09817F}"
#define LIBID_KEY L"TypeLib\\{D0755A44-598B-415B-9E63-A000730B4254}"
#define DUAL_KEY L"Interface\\{0C047ECF-0B68-4F28-B3E4-23455F7BC725}"
#define EVENTS_KEY L"Interface\\{2E117657-4504-4895-8E59-7AA77DDE8BBF}"

// regsvr32's exit code, registering the DLL or, unregistering, removing it.
intptr_t regsvr32(bool unregistering = false) {
    const std::wstring dll = L"\"" + realDll() + L"\"";
    return unregistering
               ? _wspawnlp(_P_WAIT, L"regsvr32.exe", L"regsvr32.exe", L"/s", L"/u", dll.c_str(), nullptr)
               : _wspawnlp(_P_WAIT, L"regsvr32.exe", L"regsvr32.exe", L"/s", dll.c_str(), nullptr);
}

// A value under a classes root, or "<none>".
std::wstring value(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buffer;
}

bool keyExists(HKEY root, const std::wstring& key) {
    com::UniqueHkey opened;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.put()) == ERROR_SUCCESS;
}

TEST(Registration, Regsvr32RegistersWhatAHostFindsAndUnregistersExactlyItsOwn) {
    com::UniqueHkey classes;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_ALL_ACCESS, classes.put()),
              ERROR_SUCCESS);
    const HKEY root = classes.get();
    const std::wstring dll = realDll();
    for (int twice = 0; twice < 2; ++twice) {
        ASSERT_EQ(regsvr32(), 0);
        EXPECT_EQ(value(root, CLSID_KEY L"\\InprocServer32"), dll);
        EXPECT_EQ(value(root, CLSID_KEY L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(value(root, L"Orv_Pol_edit.C_Enf_Pol\\Clsid"), L"{89AAB406-1F07-445E-B502-63014D09817F}");
        EXPECT_EQ(value(root, LIBID_KEY L"\\27.0"), L"Orv-> Editor Pol");
        EXPECT_EQ(value(root, LIBID_KEY L"\\27.0\\409\\win64"), dll);
        EXPECT_FALSE(keyExists(root, LIBID_KEY L"\\27.0\\0"));
        // The dual interface goes through the automation marshaller, the events as IDispatch.
        EXPECT_EQ(value(root, DUAL_KEY L"\\ProxyStubClsid32"), L"{00020424-0000-0000-C000-000000000046}");
        EXPECT_EQ(value(root, EVENTS_KEY L"\\ProxyStubClsid32"), L"{00020420-0000-0000-C000-000000000046}");
        EXPECT_EQ(value(root, EVENTS_KEY L"\\TypeLib", L"Version"), L"27.0");
    }
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_Orv_Pol_edit, 39, 0, 0x0409, library.put()), S_OK);

    // A host creates the class by its name; it names its events and its class, and keeps the module loaded.
    CLSID clsid = {};
    ASSERT_EQ(CLSIDFromProgID(L"Orv_Pol_edit.C_Enf_Pol", &clsid), S_OK);
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IProvideClassInfo2, info.putVoid()),
              S_OK);
    GUID source = {};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_EQ(source, DIID___C_Enf_Pol);
    ComPtr<ITypeInfo> type;
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetClassInfo(type.put()), S_OK);
    ASSERT_EQ(type->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, CLSID_C_Enf_Pol);
    type->ReleaseTypeAttr(attributes);
    ComPtr<IConnectionPointContainer> container =
        info.query<IConnectionPointContainer>(IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.put()), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(
        info.query<ISupportErrorInfo>(IID_ISupportErrorInfo)->InterfaceSupportsErrorInfo(IID__C_Enf_Pol),
        S_OK);
    info.reset(), type.reset(), container.reset();
    CoFreeUnusedLibrariesEx(0, 0);

    // Something of someone else's inside one of our keys stays, and so does the key holding it.
    com::UniqueHkey shared;
    ASSERT_EQ(RegCreateKeyExW(root, CLSID_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, shared.put(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(shared.get(), L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);
    ASSERT_EQ(regsvr32(true), 0);
    EXPECT_EQ(value(root, CLSID_KEY, L"Other"), L"x");
    RegDeleteKeyW(root, CLSID_KEY);
    for (const wchar_t* key : {CLSID_KEY, L"Orv_Pol_edit.C_Enf_Pol", LIBID_KEY, DUAL_KEY, EVENTS_KEY})
        EXPECT_FALSE(keyExists(root, key)) << testing::PrintToString(std::wstring(key));
    EXPECT_EQ(regsvr32(true), 0);
}

}  // namespace
}  // namespace orv::e2e
