#pragma once
// A dialog's form as an automation object, for the installation's placement store: the properties such a
// store reads and writes (Left, Top, Width, Height in twips, WindowState, hWnd) and Move. It serves one call:
// once detached, every member fails.
#include <oaidl.h>

#include <atomic>

#include "com/com_error.h"

namespace orv::ui {
class Form;
}

namespace orv::com {

class FormAutomation final : public IDispatch {
  public:
    FormAutomation(ui::Form& form, HWND window) noexcept : form_(&form), window_(window) {}
    FormAutomation(const FormAutomation&) = delete;
    FormAutomation& operator=(const FormAutomation&) = delete;

    void detach() noexcept { form_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override {
        return countAtComEdge([&]() -> ULONG { return ++references_; });
    }
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override;

  private:
    ~FormAutomation() = default;
    HRESULT move(DISPPARAMS& parameters);

    ui::Form* form_;
    HWND window_;
    std::atomic<ULONG> references_{1};
};

}  // namespace orv::com
