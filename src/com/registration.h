#pragma once
// Self-registration from one table: register writes every entry, unregister removes exactly those values and
// the table's keys once nothing else is left in them, so the two cannot drift. Keys are relative to a classes
// root: HKLM\Software\Classes for everyone, or HKCU\Software\Classes for one user when the machine-wide root
// cannot be written.
#include <windows.h>

#include <functional>
#include <span>
#include <string>

namespace orv::com {

// In keys and values, {module} stands for the DLL's full path, {directory} for its folder and {platform} for
// "win32" or "win64". A null value makes the key alone; a null name is the key's default value.
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
    // ownerKey: the key whose default value names the file that registered the class (InprocServer32).
    Registration(std::span<const RegistryEntry> table, const wchar_t* ownerKey, std::wstring modulePath);

    // Machine-wide when allowed, else for the current user. Writing what is already there changes nothing.
    HRESULT install(const ClassesRoots& roots) const;
    // From both roots, where the registration is this file's; what is absent is not an error.
    HRESULT uninstall(const ClassesRoots& roots) const;

    LSTATUS write(HKEY root) const;
    LSTATUS remove(HKEY root) const;

  private:
    std::wstring expand(const wchar_t* text) const;
    bool ownedElsewhere(HKEY root) const;

    std::span<const RegistryEntry> table_;
    const wchar_t* ownerKey_;
    std::wstring module_;
    std::wstring directory_;
};

}  // namespace orv::com
