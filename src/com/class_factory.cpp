#include "com/class_factory.h"

#include "com/com_error.h"

namespace orv::com {

ClassFactory::ClassFactory(ServerModule& module, CreateFunction create) noexcept
    : module_(module), create_(create) {
    module_.objectCreated();
}

ClassFactory::~ClassFactory() {
    module_.objectDestroyed();
}

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    });
}

ULONG ClassFactory::AddRef() noexcept {
    return countAtComEdge([&]() -> ULONG { return ++references_; });
}

ULONG ClassFactory::Release() noexcept {
    return countAtComEdge([&]() -> ULONG {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    });
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) noexcept {
    return atComEdge([&]() -> HRESULT {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return create_(module_, iid, out);
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) noexcept {
    return atComEdge([&]() -> HRESULT {
        module_.lock(lock != FALSE);
        return S_OK;
    });
}

}  // namespace orv::com
