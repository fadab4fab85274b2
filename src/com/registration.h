#pragma once
// Self-registration. The class's keys come from one table: register writes every entry, unregister removes
// exactly those values and the table's keys once nothing else is left in them, so the two cannot drift. The
// type library is registered by oleaut32 itself (RegisterTypeLib, RegisterTypeLibForUser and their
// counterparts), so its keys are exactly the platform's. Keys are relative to a classes root:
// HKLM\Software\Classes for everyone, or HKCU\Software\Classes for one user when the machine-wide root cannot
// be written.
#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <span>
#include <string>

namespace orv::com {

// In keys and values, {module} stands for the DLL's full path, {directory} for its folder, {platform} for
// "win32" or "win64" and {locale} for the type library's locale in hexadecimal. A null value makes the key
// alone; a null name is the key's default value.
struct RegistryEntry {
    const wchar_t* key;
    const wchar_t* name;
    const wchar_t* value;
};

// Opens a classes root for reading and writing; returns the registry's error code.
using ClassesRootOpener = std::function<LSTATUS(HKEY* root)>;

struct ClassesRoots {
    ClassesRootOpener machine;
    ClassesRootOpener user;
    // HKLM\Software\Classes and HKCU\Software\Classes.
    static ClassesRoots standard();
};

class Registration {
  public:
    // classEntries: the class and its programmatic name. typeLibraryEntries: the type library's keys as
    // oleaut32 writes them, used only where the platform cannot register a type library for one user.
    // ownerKey: the key whose default value names the file that registered the class (InprocServer32).
    // modulePath: the file whose embedded type library is registered.
    Registration(std::span<const RegistryEntry> classEntries,
                 std::span<const RegistryEntry> typeLibraryEntries, const wchar_t* ownerKey,
                 std::wstring modulePath);

    // Machine-wide when allowed, else for the current user. Registering again changes nothing.
    HRESULT install(const ClassesRoots& roots) const;
    // From both roots, where the registration is this file's; what is absent is not an error.
    HRESULT uninstall(const ClassesRoots& roots) const;

  private:
    enum class Scope { machine, user };

    HRESULT installIn(Scope scope, HKEY root) const;
    HRESULT uninstallFrom(Scope scope, HKEY root) const;
    HRESULT registerTypeLibrary(Scope scope, HKEY root) const;
    HRESULT unregisterTypeLibrary(Scope scope, HKEY root) const;
    LSTATUS write(HKEY root, std::span<const RegistryEntry> table, const TLIBATTR* library) const;
    LSTATUS remove(HKEY root, std::span<const RegistryEntry> table, const TLIBATTR* library) const;
    std::wstring expand(const wchar_t* text, const TLIBATTR* library) const;
    bool ownedElsewhere(HKEY root) const;

    std::span<const RegistryEntry> classEntries_;
    std::span<const RegistryEntry> typeLibraryEntries_;
    const wchar_t* ownerKey_;
    std::wstring module_;
    std::wstring directory_;
};

}  // namespace orv::com
