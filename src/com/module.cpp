// The in-process server: its exports, the class factory table and the registration tables. Register and
// unregister walk the same tables.
#include <windows.h>

#include <new>

#include "com/Orv_Pol_edit.h"
#include "com/class_factory.h"
#include "com/com_enf_pol.h"
#include "com/com_error.h"
#include "com/registration.h"
#include "com/server_module.h"

namespace {

using orv::com::atComEdge;
using orv::com::ClassFactory;
using orv::com::ComEnfPol;
using orv::com::CreateFunction;
using orv::com::Registration;
using orv::com::RegistryEntry;
using orv::com::ServerModule;

#define ORV_CLSID L"{89AAB406-1F07-445E-B502-63014D09817F}"
#define ORV_LIBID L"{D0755A44-598B-415B-9E63-A000730B4254}"
#define ORV_IID L"{0C047ECF-0B68-4F28-B3E4-23455F7BC725}"
#define ORV_DIID L"{2E117657-4504-4895-8E59-7AA77DDE8BBF}"
#define ORV_PROGID L"Orv_Pol_edit.C_Enf_Pol"
// A dual interface is marshalled by the automation marshaller, a dispatch-only one as IDispatch.
#define TYPELIB_MARSHALLER L"{00020424-0000-0000-C000-000000000046}"
#define DISPATCH_MARSHALLER L"{00020420-0000-0000-C000-000000000046}"

constexpr RegistryEntry kRegistration[] = {
    {L"CLSID\\" ORV_CLSID, nullptr, ORV_PROGID},
    {L"CLSID\\" ORV_CLSID L"\\InprocServer32", nullptr, L"{module}"},
    {L"CLSID\\" ORV_CLSID L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\" ORV_CLSID L"\\ProgID", nullptr, ORV_PROGID},
    {L"CLSID\\" ORV_CLSID L"\\TypeLib", nullptr, ORV_LIBID},
    {L"CLSID\\" ORV_CLSID L"\\VERSION", nullptr, L"39.0"},
    {L"CLSID\\" ORV_CLSID L"\\Programmable", nullptr, nullptr},
    {ORV_PROGID, nullptr, ORV_PROGID},
    {ORV_PROGID L"\\Clsid", nullptr, ORV_CLSID},
};
// What RegisterTypeLibForUser writes, for the platforms where it cannot write for one user (see
// registration.cpp).
constexpr RegistryEntry kTypeLibraryRegistration[] = {
    {L"TypeLib\\" ORV_LIBID, nullptr, nullptr},
    {L"TypeLib\\" ORV_LIBID L"\\27.0", nullptr, L"Orv-> Editor Pol"},
    {L"TypeLib\\" ORV_LIBID L"\\27.0\\FLAGS", nullptr, L"0"},
    {L"TypeLib\\" ORV_LIBID L"\\27.0\\{locale}", nullptr, nullptr},
    {L"TypeLib\\" ORV_LIBID L"\\27.0\\{locale}\\{platform}", nullptr, L"{module}"},
    {L"TypeLib\\" ORV_LIBID L"\\27.0\\HELPDIR", nullptr, L"{directory}"},
    {L"Interface\\" ORV_IID, nullptr, L"_C_Enf_Pol"},
    {L"Interface\\" ORV_IID L"\\ProxyStubClsid", nullptr, TYPELIB_MARSHALLER},
    {L"Interface\\" ORV_IID L"\\ProxyStubClsid32", nullptr, TYPELIB_MARSHALLER},
    {L"Interface\\" ORV_IID L"\\TypeLib", nullptr, ORV_LIBID},
    {L"Interface\\" ORV_IID L"\\TypeLib", L"Version", L"27.0"},
    {L"Interface\\" ORV_DIID, nullptr, L"__C_Enf_Pol"},
    {L"Interface\\" ORV_DIID L"\\ProxyStubClsid", nullptr, DISPATCH_MARSHALLER},
    {L"Interface\\" ORV_DIID L"\\ProxyStubClsid32", nullptr, DISPATCH_MARSHALLER},
    {L"Interface\\" ORV_DIID L"\\TypeLib", nullptr, ORV_LIBID},
    {L"Interface\\" ORV_DIID L"\\TypeLib", L"Version", L"27.0"},
};
constexpr wchar_t kOwnerKey[] = L"CLSID\\" ORV_CLSID L"\\InprocServer32";

struct FactoryEntry {
    const CLSID* clsid;
    CreateFunction create;
};
constexpr FactoryEntry kFactories[] = {
    {&CLSID_C_Enf_Pol, &ComEnfPol::create},
};

// The one instance per loaded DLL, made when the loader attaches it.
ServerModule* loadedModule = nullptr;

ServerModule& serverModule() {
    return *loadedModule;
}

Registration registration() {
    return Registration(kRegistration, kTypeLibraryRegistration, kOwnerKey, serverModule().path());
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        loadedModule = new (std::nothrow) ServerModule(instance);
        return loadedModule != nullptr;
    }
    if (reason == DLL_PROCESS_DETACH) {
        delete loadedModule;
        loadedModule = nullptr;
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return atComEdge([&]() -> HRESULT { return serverModule().canUnload() ? S_OK : S_FALSE; });
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        *out = nullptr;
        for (const FactoryEntry& entry : kFactories) {
            if (*entry.clsid != clsid) continue;
            IClassFactory* factory = new ClassFactory(serverModule(), entry.create);
            const HRESULT hr = factory->QueryInterface(iid, out);
            factory->Release();
            return hr;
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return atComEdge([&]() -> HRESULT { return registration().install(orv::com::ClassesRoots::standard()); });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return atComEdge(
        [&]() -> HRESULT { return registration().uninstall(orv::com::ClassesRoots::standard()); });
}
