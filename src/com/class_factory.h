#pragma once
// The class factory of one creatable class: creation by a function, LockServer counted by the module.
#include <unknwn.h>

#include <atomic>

#include "com/server_module.h"

namespace orv::com {

using CreateFunction = HRESULT (*)(ServerModule& module, REFIID iid, void** out) noexcept;

class ClassFactory final : public IClassFactory {
  public:
    ClassFactory(ServerModule& module, CreateFunction create) noexcept;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;

  private:
    ~ClassFactory();

    ServerModule& module_;
    CreateFunction create_;
    std::atomic<ULONG> references_{1};
};

}  // namespace orv::com
