#include "com/registration.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "com/com_handles.h"
#include "com/com_ptr.h"

// oleaut32 exports these two (since Windows Vista SP1); the mingw-w64 headers do not declare them.
extern "C" HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpDirectory);
extern "C" HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID locale,
                                                   SYSKIND platform);

namespace orv::com {
namespace {

const wchar_t* const kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

void replaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

bool sameText(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return towlower(x) == towlower(y);
           });
}

// The key's default value, or nothing.
bool readDefault(HKEY root, const std::wstring& key, std::wstring& value) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

bool isEmptyKey(HKEY root, const std::wstring& key) {
    UniqueHkey opened;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS) return false;
    DWORD subkeys = 0, values = 0;
    if (RegQueryInfoKeyW(opened.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return subkeys == 0 && values == 0;
}

bool denied(LSTATUS status) {
    return status == ERROR_ACCESS_DENIED;
}

bool refused(HRESULT hr) {
    return hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) || hr == TYPE_E_REGISTRYACCESS;
}

// Wine's RegisterTypeLibForUser and UnRegisterTypeLibForUser work on the machine-wide classes (they hand over
// to RegisterTypeLib and UnRegisterTypeLib), so a user who may not write there would be left without a type
// library and an administrator's one would be removed. There, and only there, the library's keys for one user
// are written from our table, as oleaut32 writes them.
bool platformRegistersTypeLibrariesPerUser() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && GetProcAddress(ntdll, "wine_get_version"));
}

// The DLL's embedded type library with its attributes, loaded without registering anything.
class LoadedTypeLibrary {
  public:
    explicit LoadedTypeLibrary(const std::wstring& path) {
        hr_ = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library_.put());
        if (SUCCEEDED(hr_)) hr_ = library_->GetLibAttr(&attributes_);
    }
    LoadedTypeLibrary(const LoadedTypeLibrary&) = delete;
    LoadedTypeLibrary& operator=(const LoadedTypeLibrary&) = delete;
    ~LoadedTypeLibrary() {
        if (attributes_) library_->ReleaseTLibAttr(attributes_);
    }

    HRESULT status() const { return hr_; }
    ITypeLib* get() const { return library_.get(); }
    const TLIBATTR& attributes() const { return *attributes_; }

  private:
    ComPtr<ITypeLib> library_;
    TLIBATTR* attributes_ = nullptr;
    HRESULT hr_ = E_FAIL;
};

const wchar_t* platformOf(const TLIBATTR& library) {
    return library.syskind == SYS_WIN64 ? L"win64" : L"win32";
}

std::wstring hex(unsigned long number) {
    wchar_t text[16] = {};
    swprintf(text, 16, L"%lx", number);
    return text;
}

// The key under which the platform records the library's file: TypeLib\{libid}\major.minor\locale\platform.
std::wstring libraryFileKey(const TLIBATTR& library) {
    wchar_t libid[40] = {};
    StringFromGUID2(library.guid, libid, 40);
    return std::wstring(L"TypeLib\\") + libid + L"\\" + hex(library.wMajorVerNum) + L"." +
           hex(library.wMinorVerNum) + L"\\" + hex(library.lcid) + L"\\" + platformOf(library);
}

}  // namespace

ClassesRoots ClassesRoots::standard() {
    auto opener = [](HKEY hive) {
        return [hive](HKEY* root) {
            return RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                   root, nullptr);
        };
    };
    return {opener(HKEY_LOCAL_MACHINE), opener(HKEY_CURRENT_USER)};
}

Registration::Registration(std::span<const RegistryEntry> classEntries,
                           std::span<const RegistryEntry> typeLibraryEntries, const wchar_t* ownerKey,
                           std::wstring modulePath)
    : classEntries_(classEntries),
      typeLibraryEntries_(typeLibraryEntries),
      ownerKey_(ownerKey),
      module_(std::move(modulePath)) {
    const size_t slash = module_.find_last_of(L"\\/");
    directory_ = slash == std::wstring::npos ? std::wstring() : module_.substr(0, slash);
}

std::wstring Registration::expand(const wchar_t* text, const TLIBATTR* library) const {
    std::wstring result = text;
    replaceAll(result, L"{module}", module_);
    replaceAll(result, L"{directory}", directory_);
    replaceAll(result, L"{platform}", library ? platformOf(*library) : kPlatform);
    if (library) replaceAll(result, L"{locale}", hex(library->lcid));
    return result;
}

LSTATUS Registration::write(HKEY root, std::span<const RegistryEntry> table, const TLIBATTR* library) const {
    for (const RegistryEntry& entry : table) {
        UniqueHkey key;
        LSTATUS status = RegCreateKeyExW(root, expand(entry.key, library).c_str(), 0, nullptr, 0, KEY_WRITE,
                                         nullptr, key.put(), nullptr);
        if (status != ERROR_SUCCESS) return status;
        if (!entry.value) continue;
        const std::wstring value = expand(entry.value, library);
        status =
            RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

bool Registration::ownedElsewhere(HKEY root) const {
    std::wstring registered;
    return readDefault(root, expand(ownerKey_, nullptr), registered) && !sameText(registered, module_);
}

LSTATUS Registration::remove(HKEY root, std::span<const RegistryEntry> table, const TLIBATTR* library) const {
    for (const RegistryEntry& entry : table) {
        if (!entry.value) continue;
        UniqueHkey key;
        const LSTATUS status =
            RegOpenKeyExW(root, expand(entry.key, library).c_str(), 0, KEY_SET_VALUE, key.put());
        if (status == ERROR_FILE_NOT_FOUND) continue;
        if (status != ERROR_SUCCESS) return status;
        const LSTATUS deleted = RegDeleteValueW(key.get(), entry.name);
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return deleted;
    }
    // The table's keys, deepest first, each only once nothing of anyone else's is left in it.
    std::vector<std::wstring> keys;
    for (const RegistryEntry& entry : table) keys.push_back(expand(entry.key, library));
    auto depth = [](const std::wstring& key) { return std::count(key.begin(), key.end(), L'\\'); };
    std::sort(keys.begin(), keys.end(), [&](const std::wstring& a, const std::wstring& b) {
        return depth(a) != depth(b) ? depth(a) > depth(b) : a < b;
    });
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (const std::wstring& key : keys) {
        if (!isEmptyKey(root, key)) continue;
        const LSTATUS status = RegDeleteKeyW(root, key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return status;
    }
    return ERROR_SUCCESS;
}

HRESULT Registration::registerTypeLibrary(Scope scope, HKEY root) const {
    const LoadedTypeLibrary library(module_);
    if (FAILED(library.status())) return library.status();
    std::wstring path = module_, directory = directory_;
    if (scope == Scope::machine) return RegisterTypeLib(library.get(), path.data(), directory.data());
    if (platformRegistersTypeLibrariesPerUser())
        return RegisterTypeLibForUser(library.get(), path.data(), directory.data());
    return HRESULT_FROM_WIN32(write(root, typeLibraryEntries_, &library.attributes()));
}

HRESULT Registration::unregisterTypeLibrary(Scope scope, HKEY root) const {
    const LoadedTypeLibrary library(module_);
    if (FAILED(library.status())) return library.status();
    const TLIBATTR& attributes = library.attributes();
    // Only a registration that names this file is ours to remove.
    std::wstring registered;
    if (!readDefault(root, libraryFileKey(attributes), registered) || !sameText(registered, module_))
        return S_OK;
    if (scope == Scope::machine)
        return UnRegisterTypeLib(attributes.guid, attributes.wMajorVerNum, attributes.wMinorVerNum,
                                 attributes.lcid, attributes.syskind);
    if (platformRegistersTypeLibrariesPerUser())
        return UnRegisterTypeLibForUser(attributes.guid, attributes.wMajorVerNum, attributes.wMinorVerNum,
                                        attributes.lcid, attributes.syskind);
    return HRESULT_FROM_WIN32(remove(root, typeLibraryEntries_, &attributes));
}

HRESULT Registration::installIn(Scope scope, HKEY root) const {
    HRESULT hr = HRESULT_FROM_WIN32(write(root, classEntries_, nullptr));
    if (SUCCEEDED(hr)) hr = registerTypeLibrary(scope, root);
    if (FAILED(hr)) uninstallFrom(scope, root);
    return hr;
}

HRESULT Registration::uninstallFrom(Scope scope, HKEY root) const {
    if (ownedElsewhere(root)) return S_OK;
    const HRESULT hr = unregisterTypeLibrary(scope, root);
    const LSTATUS status = remove(root, classEntries_, nullptr);
    return FAILED(hr) ? hr : HRESULT_FROM_WIN32(status);
}

HRESULT Registration::install(const ClassesRoots& roots) const {
    UniqueHkey machine;
    const LSTATUS status = roots.machine(machine.put());
    if (status == ERROR_SUCCESS) {
        const HRESULT hr = installIn(Scope::machine, machine.get());
        if (!refused(hr)) return hr;
    } else if (!denied(status)) {
        return HRESULT_FROM_WIN32(status);
    }
    UniqueHkey user;
    const LSTATUS opened = roots.user(user.put());
    if (opened != ERROR_SUCCESS) return HRESULT_FROM_WIN32(opened);
    return installIn(Scope::user, user.get());
}

HRESULT Registration::uninstall(const ClassesRoots& roots) const {
    for (const Scope scope : {Scope::machine, Scope::user}) {
        UniqueHkey root;
        const LSTATUS status = (scope == Scope::machine ? roots.machine : roots.user)(root.put());
        if (denied(status)) continue;
        const HRESULT hr =
            status == ERROR_SUCCESS ? uninstallFrom(scope, root.get()) : HRESULT_FROM_WIN32(status);
        if (FAILED(hr) && !refused(hr)) return hr;
    }
    return S_OK;
}

}  // namespace orv::com
