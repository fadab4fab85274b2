#pragma once
// A host of the real Orv_Pol_edit.dll: the DLL loaded into the test process, the host's drawing as
// SAFEARRAYs, event sinks that record what they receive and may write into it, and a watcher that reads and
// closes message boxes. Both suites drive the dialogs through it, exactly as a host does.
#include <ocidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "com/Orv_Pol_edit.h"
#include "com/com_ptr.h"

namespace orv::e2e {

using com::ComPtr;
using Log = std::vector<std::wstring>;

inline const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";
inline const std::wstring kEditorCaption = L"Editor de polil\u00edneas:";

// The x86_64 DLL, as run_com.sh and run_ui.sh hand it in.
std::wstring realDll();

// A server DLL loaded into the test process, its exports called directly.
class LoadedServer {
  public:
    explicit LoadedServer(const std::wstring& path);
    ~LoadedServer() { FreeLibrary(module_); }
    LoadedServer(const LoadedServer&) = delete;
    LoadedServer& operator=(const LoadedServer&) = delete;
    ComPtr<IClassFactory> factory() const;
    HRESULT call(const char* exportName) const;

  private:
    HMODULE module_;
};

// One SAFEARRAY owned by the test.
class HostArray {
  public:
    HostArray() = default;
    HostArray(VARTYPE type, LONG lower, ULONG count) : array_(SafeArrayCreateVector(type, lower, count)) {}
    HostArray(const HostArray&) = delete;
    HostArray& operator=(const HostArray&) = delete;
    ~HostArray() { SafeArrayDestroy(array_); }
    SAFEARRAY** address() { return &array_; }
    template <class T>
    T& at(LONG index) const {
        return static_cast<T*>(array_->pvData)[index - array_->rgsabound[0].lLbound];
    }
    void setText(LONG index, const std::wstring& text);
    // The array's identity, type, bounds and elements (strings by identity and text).
    std::wstring fingerprint() const;

  private:
    SAFEARRAY* array_ = nullptr;
};

// The host's drawing: points 1..points (X 1000.5 + p, names "P<p>"), layers "Ejes", "Bordes", "Capa 3", ...;
// polyline 1 of 3 runs through points 2, 3, 5, 6, or through 1..vertices when vertices is given.
struct HostDrawing {
    explicit HostDrawing(LONG points = 6, LONG vertices = 0, LONG layers = 2);
    SHORT Tipo = 0;
    IDispatch* frm1 = nullptr;
    LONG PtoEnfo = 0, Nuput, noCapas, PolN = 1, NoPoli = 3, Polcol = 255;
    SHORT capP = 1;
    HostArray X, Y, Z, Nombre, Código, CapaPuntos, Capas, VertP;
    std::wstring fingerprint();
    HRESULT pasaDatos(_C_Enf_Pol& object);
    // The 17 arguments as a late-bound caller passes them (last first), all by reference except NoPoli.
    std::vector<VARIANTARG> byReferenceArguments();
};

// A late-bound PasaDatos.
HRESULT invokePasaDatos(IDispatch& object, std::vector<VARIANTARG>& arguments);

// "Name(args)" per event, written on the dialog's thread and read from the user's.
class EventLog {
  public:
    void add(std::wstring entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    Log entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }
    std::size_t size() const { return entries().size(); }
    void clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }
    std::size_t count(const std::wstring& prefix) const {
        const Log all = entries();
        return std::count_if(all.begin(), all.end(),
                             [&](const std::wstring& e) { return e.starts_with(prefix); });
    }

  private:
    mutable std::mutex mutex_;
    Log entries_;
};

// A sink of __C_Enf_Pol: logs each event under its label and lets a test answer it.
class EventSink final : public IDispatch {
  public:
    EventSink(EventLog& log, std::wstring label) : log_(log), label_(std::move(label)) {}
    using Hook = std::function<HRESULT(DISPID id, DISPPARAMS& parameters, EXCEPINFO* exception)>;
    Hook hook;
    unsigned calls() const { return calls_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO* exception, UINT*) noexcept override;

  private:
    EventLog& log_;
    std::wstring label_;
    std::atomic<unsigned> calls_{0};
};

// Subscribes a sink for the life of the object.
class Subscription {
  public:
    Subscription(IUnknown* source, IDispatch* sink);
    ~Subscription() { point_->Unadvise(cookie_); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

  private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// Every scenario starts from the real DLL, an object of it and two sinks sharing one log, and ends by
// checking that no object, lock or dialog outlived it.
class RealServer : public ::testing::Test {
  protected:
    void SetUp() override {
        server_ = std::make_unique<LoadedServer>(realDll());
        ASSERT_EQ(server_->factory()->CreateInstance(nullptr, IID__C_Enf_Pol, object_.putVoid()), S_OK);
    }
    void TearDown() override {
        object_.reset();
        EXPECT_EQ(server_->call("DllCanUnloadNow"), S_OK)
            << "an object, lock or dialog outlived the scenario";
    }
    // B hears each event last: the user waits on it.
    bool heard(unsigned events) const { return second_.calls() >= events; }

    std::unique_ptr<LoadedServer> server_;
    ComPtr<_C_Enf_Pol> object_;
    EventLog log_;
    EventSink first_{log_, L"A "}, second_{log_, L"B "};
};

// Each event as both sinks receive it: A first, then B.
Log toBoth(const Log& events);

}  // namespace orv::e2e
