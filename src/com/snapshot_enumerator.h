#pragma once
// IEnumConnections and IEnumConnectionPoints over a copy of the list taken when the enumerator was made.
#include <ocidl.h>

#include <vector>

#include "com/com_error.h"
#include "com/server_module.h"

namespace orv::com {

inline void enumeratedCopy(IConnectionPoint* point, IConnectionPoint** out) {
    *out = point;
    point->AddRef();
}
inline void enumeratedCopy(const CONNECTDATA& data, CONNECTDATA* out) {
    *out = data;
    out->pUnk->AddRef();
}
inline void enumeratedRelease(IConnectionPoint* point) {
    point->Release();
}
inline void enumeratedRelease(CONNECTDATA& data) {
    data.pUnk->Release();
}

template <class Interface, class Item>
class SnapshotEnumerator final : public Interface {
  public:
    // Takes a reference on every item.
    SnapshotEnumerator(ServerModule& module, const std::vector<Item>& items, size_t position = 0)
        : module_(module), position_(position) {
        items_.resize(items.size());
        for (size_t i = 0; i < items.size(); ++i) enumeratedCopy(items[i], &items_[i]);
        module_.objectCreated();
    }
    SnapshotEnumerator(const SnapshotEnumerator&) = delete;
    SnapshotEnumerator& operator=(const SnapshotEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        return atComEdge([&]() -> HRESULT {
            if (!out) return E_POINTER;
            if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
                *out = static_cast<Interface*>(this);
                AddRef();
                return S_OK;
            }
            *out = nullptr;
            return E_NOINTERFACE;
        });
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override {
        return countAtComEdge([&]() -> ULONG { return ++references_; });
    }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        return countAtComEdge([&]() -> ULONG {
            const ULONG left = --references_;
            if (left == 0) delete this;
            return left;
        });
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) noexcept override {
        return atComEdge([&]() -> HRESULT {
            if (!out || (count > 1 && !fetched)) return E_POINTER;
            ULONG given = 0;
            while (given < count && position_ < items_.size())
                enumeratedCopy(items_[position_++], &out[given++]);
            if (fetched) *fetched = given;
            return given == count ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override {
        return atComEdge([&]() -> HRESULT {
            const size_t left = items_.size() - position_;
            position_ += count < left ? count : left;
            return count <= left ? S_OK : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE Reset() noexcept override {
        return atComEdge([&]() -> HRESULT {
            position_ = 0;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** out) noexcept override {
        return atComEdge([&]() -> HRESULT {
            if (!out) return E_POINTER;
            *out = nullptr;
            *out = new SnapshotEnumerator(module_, items_, position_);
            return S_OK;
        });
    }

  private:
    ~SnapshotEnumerator() {
        for (Item& item : items_) enumeratedRelease(item);
        module_.objectDestroyed();
    }

    ServerModule& module_;
    std::vector<Item> items_;
    size_t position_;
    ULONG references_ = 1;
};

using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, CONNECTDATA>;
using ConnectionPointEnumerator = SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*>;

}  // namespace orv::com
