#pragma once
// The test host of Orv_Pol_edit.dll: the DLLs under test, a host-side drawing of SAFEARRAYs, an event sink
// that records what it receives and may write into it, and a watcher that reads and closes message boxes.
#include <ocidl.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "com/Orv_Pol_edit.h"
#include "com/com_ptr.h"

namespace orv::e2e {

using com::ComPtr;

// Paths handed in by run_com.sh: the x86_64 DLL and the i686 one.
std::wstring realDll();
std::wstring i686Dll();
bool fileExists(const std::wstring& path);

// A server DLL loaded into the test process, its exports called directly.
class LoadedServer {
  public:
    explicit LoadedServer(const std::wstring& path);
    ~LoadedServer();
    LoadedServer(const LoadedServer&) = delete;
    LoadedServer& operator=(const LoadedServer&) = delete;

    ComPtr<IClassFactory> factory() const;
    HRESULT canUnloadNow() const;
    HRESULT call(const char* exportName) const;

  private:
    HMODULE module_;
};

// One SAFEARRAY owned by the test.
class HostArray {
  public:
    HostArray() = default;
    HostArray(VARTYPE type, LONG lower, ULONG count);
    HostArray(const HostArray&) = delete;
    HostArray& operator=(const HostArray&) = delete;
    ~HostArray();
    SAFEARRAY** address() { return &array_; }
    SAFEARRAY* get() const { return array_; }
    template <class T>
    T& at(LONG index) const {
        LONG lower = 0;
        SafeArrayGetLBound(array_, 1, &lower);
        return static_cast<T*>(array_->pvData)[index - lower];
    }
    void setText(LONG index, const wchar_t* text);
    // Bytes of the elements (strings by their text), to compare before and after a call.
    std::wstring fingerprint() const;

  private:
    SAFEARRAY* array_ = nullptr;
};

// The host's drawing: 6 points, 2 layers, polyline 1 of 3 with vertices 1..4 -> points 2, 3, 5, 6.
struct HostDrawing {
    HostDrawing();
    SHORT Tipo = 0;
    IDispatch* frm1 = nullptr;
    LONG PtoEnfo = 0, Nuput = 6, noCapas = 2, PolN = 1, NoPoli = 3, Polcol = 255;
    SHORT capP = 1;
    HostArray X, Y, Z, Nombre, Código, CapaPuntos, Capas, VertP;
    std::wstring fingerprint();
    HRESULT pasaDatos(_C_Enf_Pol& object);
    // The 17 arguments as a late-bound caller passes them (DISPPARAMS order: last first), all by reference
    // except NoPoli.
    std::vector<VARIANTARG> byReferenceArguments();
};

// A sink of __C_Enf_Pol: records "Name(args)" per event and lets a test write into the arguments. The log
// belongs to the thread that raises the events; other threads may only read how many it has received.
class EventSink final : public IDispatch {
  public:
    explicit EventSink(std::vector<std::wstring>* log, std::wstring label);
    using Hook = std::function<HRESULT(DISPID id, DISPPARAMS& parameters, EXCEPINFO* exception)>;
    Hook hook;
    unsigned calls() const { return calls_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override;

  private:
    ~EventSink() = default;
    std::vector<std::wstring>* log_;
    std::wstring label_;
    std::atomic<ULONG> references_{1};
    std::atomic<unsigned> calls_{0};
};

// Subscribes a sink for the life of the object.
class Subscription {
  public:
    Subscription(IUnknown* source, IDispatch* sink);
    ~Subscription();
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

  private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// Watches for message boxes of this process on its own thread, records "title|text|icon" and closes each.
class MessageBoxWatcher {
  public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    std::vector<std::wstring> boxes();
    // The boxes once `count` have been seen and two further scans found no other, or whatever was seen
    // when `timeout` ran out: a loaded machine may take long to show a box, an idle one returns at once.
    std::vector<std::wstring> waitForBoxes(std::size_t count,
                                           std::chrono::milliseconds timeout = std::chrono::seconds(30));

  private:
    void run();
    std::mutex mutex_;
    std::vector<std::wstring> boxes_;
    std::atomic<unsigned> scans_{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The text of an event argument as the log shows it.
std::wstring argumentText(const VARIANTARG& argument);

}  // namespace orv::e2e
