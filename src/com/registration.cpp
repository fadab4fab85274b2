#include "com/registration.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "com/com_handles.h"

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

Registration::Registration(std::span<const RegistryEntry> table, const wchar_t* ownerKey,
                           std::wstring modulePath)
    : table_(table), ownerKey_(ownerKey), module_(std::move(modulePath)) {
    const size_t slash = module_.find_last_of(L"\\/");
    directory_ = slash == std::wstring::npos ? std::wstring() : module_.substr(0, slash);
}

std::wstring Registration::expand(const wchar_t* text) const {
    std::wstring result = text;
    replaceAll(result, L"{module}", module_);
    replaceAll(result, L"{directory}", directory_);
    replaceAll(result, L"{platform}", kPlatform);
    return result;
}

LSTATUS Registration::write(HKEY root) const {
    for (const RegistryEntry& entry : table_) {
        UniqueHkey key;
        LSTATUS status = RegCreateKeyExW(root, expand(entry.key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                         key.put(), nullptr);
        if (status != ERROR_SUCCESS) return status;
        if (!entry.value) continue;
        const std::wstring value = expand(entry.value);
        status =
            RegSetValueExW(key.get(), entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

bool Registration::ownedElsewhere(HKEY root) const {
    std::wstring registered;
    return readDefault(root, expand(ownerKey_), registered) && !sameText(registered, module_);
}

LSTATUS Registration::remove(HKEY root) const {
    if (ownedElsewhere(root)) return ERROR_SUCCESS;
    for (const RegistryEntry& entry : table_) {
        if (!entry.value) continue;
        UniqueHkey key;
        const LSTATUS status = RegOpenKeyExW(root, expand(entry.key).c_str(), 0, KEY_SET_VALUE, key.put());
        if (status == ERROR_FILE_NOT_FOUND) continue;
        if (status != ERROR_SUCCESS) return status;
        const LSTATUS deleted = RegDeleteValueW(key.get(), entry.name);
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) return deleted;
    }
    // The table's keys, deepest first, each only once nothing of anyone else's is left in it.
    std::vector<std::wstring> keys;
    for (const RegistryEntry& entry : table_) keys.push_back(expand(entry.key));
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

HRESULT Registration::install(const ClassesRoots& roots) const {
    UniqueHkey machine;
    LSTATUS status = roots.machine(machine.put());
    if (status == ERROR_SUCCESS) {
        status = write(machine.get());
        if (status == ERROR_SUCCESS) return S_OK;
        remove(machine.get());
    }
    if (!denied(status)) return HRESULT_FROM_WIN32(status);
    UniqueHkey user;
    status = roots.user(user.put());
    if (status == ERROR_SUCCESS) status = write(user.get());
    if (status == ERROR_SUCCESS) return S_OK;
    if (user) remove(user.get());
    return HRESULT_FROM_WIN32(status);
}

HRESULT Registration::uninstall(const ClassesRoots& roots) const {
    for (const ClassesRootOpener* opener : {&roots.machine, &roots.user}) {
        UniqueHkey root;
        LSTATUS status = (*opener)(root.put());
        if (denied(status)) continue;
        if (status == ERROR_SUCCESS) status = remove(root.get());
        if (status != ERROR_SUCCESS && !denied(status)) return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

}  // namespace orv::com
