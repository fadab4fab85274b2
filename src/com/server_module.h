#pragma once
// The state an in-process server keeps for its whole life in the host: the counts that decide whether it may
// be unloaded, its type library, and the shared services (created on first use). One per loaded DLL.
#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>

#include "com/com_ptr.h"
#include "com/module_environment.h"

namespace orv::com {

class ServerModule {
  public:
    explicit ServerModule(HMODULE module) noexcept : module_(module) {}
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    HMODULE handle() const noexcept { return module_; }
    // The full path of the DLL file.
    std::wstring path() const;

    void objectCreated() noexcept { ++objects_; }
    void objectDestroyed() noexcept { --objects_; }
    void lock(bool locking) noexcept { locking ? ++locks_ : --locks_; }
    void dialogOpened() noexcept { ++dialogs_; }
    void dialogClosed() noexcept { --dialogs_; }
    bool canUnload() const noexcept { return objects_ == 0 && locks_ == 0 && dialogs_ == 0; }

    // The type information of one type of the embedded library; throws an AutomationError when it cannot be
    // read.
    ComPtr<ITypeInfo> typeInfo(REFGUID guid);
    dialog::DialogServices& services();
    dialog::DialogFactory* dialogFactory();

  private:
    ModuleEnvironment& environment();

    HMODULE module_;
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
    std::atomic<long> dialogs_{0};
    std::mutex mutex_;
    ComPtr<ITypeLib> typeLib_;
    std::optional<ModuleEnvironment> environment_;
};

// Keeps the module loaded while a dialog is open, whatever the host does with its references meanwhile.
class OpenDialog {
  public:
    explicit OpenDialog(ServerModule& module) noexcept : module_(module) { module_.dialogOpened(); }
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
    ~OpenDialog() { module_.dialogClosed(); }

  private:
    ServerModule& module_;
};

}  // namespace orv::com
