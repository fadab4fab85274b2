// Registration through regsvr32 (machine-wide), and per user when the machine-wide root is refused.
#include <gtest/gtest.h>

#include <string>

#include "com/com_handles.h"
#include "com/registration.h"
#include "com_test_host.h"

namespace orv::e2e {
namespace {

#define CLSID_KEY L"CLSID\\{89AAB406-1F07-445E-B502-63014D09817F}"
#define LIBID_KEY L"TypeLib\\{D0755A44-598B-415B-9E63-A000730B4254}"

DWORD regsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe /s " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return ~0u;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
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

const std::wstring kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

void expectRegistered(HKEY root, const std::wstring& dll) {
    EXPECT_EQ(value(root, CLSID_KEY L"\\InprocServer32"), dll);
    EXPECT_EQ(value(root, CLSID_KEY L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(value(root, CLSID_KEY L"\\ProgID"), L"Orv_Pol_edit.C_Enf_Pol");
    EXPECT_EQ(value(root, L"Orv_Pol_edit.C_Enf_Pol\\Clsid"), L"{89AAB406-1F07-445E-B502-63014D09817F}");
    EXPECT_EQ(value(root, LIBID_KEY L"\\27.0"), L"Orv-> Editor Pol");
    EXPECT_EQ(value(root, LIBID_KEY L"\\27.0\\409\\" + kPlatform), dll);  // the library's own locale
    EXPECT_FALSE(keyExists(root, LIBID_KEY L"\\27.0\\0"));
    // The dual interface goes through the automation marshaller, the event interface as IDispatch.
    for (auto [iid, marshaller] :
         {std::pair{L"{0C047ECF-0B68-4F28-B3E4-23455F7BC725}", L"{00020424-0000-0000-C000-000000000046}"},
          std::pair{L"{2E117657-4504-4895-8E59-7AA77DDE8BBF}", L"{00020420-0000-0000-C000-000000000046}"}}) {
        const std::wstring key = std::wstring(L"Interface\\") + iid;
        EXPECT_EQ(value(root, key + L"\\ProxyStubClsid32"), marshaller);
        EXPECT_EQ(value(root, key + L"\\TypeLib"), L"{D0755A44-598B-415B-9E63-A000730B4254}");
        EXPECT_EQ(value(root, key + L"\\TypeLib", L"Version"), L"27.0");
    }
}

void expectUnregistered(HKEY root) {
    for (const wchar_t* key : {CLSID_KEY, L"Orv_Pol_edit.C_Enf_Pol", LIBID_KEY,
                               L"Interface\\{0C047ECF-0B68-4F28-B3E4-23455F7BC725}",
                               L"Interface\\{2E117657-4504-4895-8E59-7AA77DDE8BBF}"})
        EXPECT_FALSE(keyExists(root, key)) << std::string(key, key + wcslen(key));
}

class MachineClasses : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_ALL_ACCESS, classes_.put()),
                  ERROR_SUCCESS);
    }
    void TearDown() override { regsvr32(L"/u \"" + realDll() + L"\""); }
    com::UniqueHkey classes_;
};

TEST_F(MachineClasses, Regsvr32RegistersTwiceAlikeAndUnregistersExactlyItsOwn) {
    const std::wstring dll = realDll();
    ASSERT_EQ(regsvr32(L"\"" + dll + L"\""), 0u);
    expectRegistered(classes_.get(), dll);
    ASSERT_EQ(regsvr32(L"\"" + dll + L"\""), 0u);
    expectRegistered(classes_.get(), dll);
    // The registered type library is the embedded one.
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_Orv_Pol_edit, 39, 0, 0x0409, library.put()), S_OK);

    // Something of someone else's inside one of our keys stays, and so does the key holding it.
    com::UniqueHkey shared;
    ASSERT_EQ(
        RegCreateKeyExW(classes_.get(), CLSID_KEY, 0, nullptr, 0, KEY_WRITE, nullptr, shared.put(), nullptr),
        ERROR_SUCCESS);
    RegSetValueExW(shared.get(), L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4);

    ASSERT_EQ(regsvr32(L"/u \"" + dll + L"\""), 0u);
    EXPECT_EQ(value(classes_.get(), CLSID_KEY, L"Other"), L"x");
    EXPECT_FALSE(keyExists(classes_.get(), CLSID_KEY L"\\InprocServer32"));
    RegDeleteKeyW(classes_.get(), CLSID_KEY);
    expectUnregistered(classes_.get());
    ASSERT_EQ(regsvr32(L"/u \"" + dll + L"\""), 0u);
}

TEST_F(MachineClasses, RegistrationFallsBackToTheUserWhenTheMachineIsRefusedAndUndoesOnlyThat) {
    com::UniqueHkey user;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\OrvComTest\\Classes", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, user.put(), nullptr),
              ERROR_SUCCESS);
    const HKEY userRoot = user.get();
    com::ClassesRoots roots{[](HKEY*) -> LSTATUS { return ERROR_ACCESS_DENIED; },
                            [userRoot](HKEY* root) -> LSTATUS {
                                return RegOpenKeyExW(userRoot, nullptr, 0, KEY_ALL_ACCESS, root);
                            }};
    static constexpr com::RegistryEntry classTable[] = {
        {CLSID_KEY, nullptr, L"Orv_Pol_edit.C_Enf_Pol"},
        {CLSID_KEY L"\\InprocServer32", nullptr, L"{module}"},
        {CLSID_KEY L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
    };
    // Wine's oleaut32 cannot register a type library for one user: the table stands in, with the library's
    // own locale.
    static constexpr com::RegistryEntry libraryTable[] = {
        {LIBID_KEY, nullptr, nullptr},
        {LIBID_KEY L"\\27.0", nullptr, L"Orv-> Editor Pol"},
        {LIBID_KEY L"\\27.0\\{locale}", nullptr, nullptr},
        {LIBID_KEY L"\\27.0\\{locale}\\{platform}", nullptr, L"{module}"},
        {LIBID_KEY L"\\27.0\\HELPDIR", nullptr, L"{directory}"},
    };
    const std::wstring dll = realDll(), folder = dll.substr(0, dll.find_last_of(L"\\/"));
    com::Registration registration(classTable, libraryTable, CLSID_KEY L"\\InprocServer32", dll);
    ASSERT_EQ(registration.install(roots), S_OK);
    EXPECT_EQ(value(userRoot, CLSID_KEY L"\\InprocServer32"), dll);
    EXPECT_EQ(value(userRoot, LIBID_KEY L"\\27.0\\409\\" + kPlatform), dll);
    EXPECT_EQ(value(userRoot, LIBID_KEY L"\\27.0\\HELPDIR"), folder);
    EXPECT_FALSE(keyExists(classes_.get(), CLSID_KEY));
    EXPECT_FALSE(keyExists(classes_.get(), LIBID_KEY));

    // Another file's registration is not ours to remove.
    com::Registration other(classTable, libraryTable, CLSID_KEY L"\\InprocServer32",
                            L"C:\\Otro\\Orv_Pol_edit.dll");
    EXPECT_EQ(other.uninstall(roots), S_OK);
    EXPECT_EQ(value(userRoot, CLSID_KEY L"\\InprocServer32"), dll);

    EXPECT_EQ(registration.uninstall(roots), S_OK);
    EXPECT_EQ(registration.uninstall(roots), S_OK);
    EXPECT_FALSE(keyExists(userRoot, CLSID_KEY));
    EXPECT_FALSE(keyExists(userRoot, LIBID_KEY));
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvComTest");
}

}  // namespace
}  // namespace orv::e2e
