// The adapters of the installation's converter, placement store and colour picker, against stand-ins that the
// test registers for the installation's class identifiers: what each member receives (types, by reference or
// not), and that a failing member is the caller's error, never answered by the component's own services.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "automation/automation_error.h"
#include "com/com_handles.h"
#include "com/installed_color_picker.h"
#include "com/installed_number_converter.h"
#include "com/installed_placement_store.h"
#include "com_test_host.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::e2e {
namespace {

constexpr CLSID kConverter = {0x55F34066, 0x7C08, 0x4DAD, {0x93, 0x36, 0x43, 0x79, 0x09, 0x7E, 0x70, 0x0A}};
constexpr CLSID kStore = {0x54E79B87, 0xA5F1, 0x42BB, {0xA9, 0x97, 0x8F, 0xFE, 0xD1, 0xF8, 0x12, 0x0F}};
constexpr CLSID kPicker = {0x0FAFBCDC, 0x7163, 0x4F1E, {0x9A, 0x11, 0xE3, 0x53, 0x4E, 0xEC, 0xC4, 0x2D}};

// "&" for by reference, then the type and the value.
std::wstring typed(const VARIANTARG& a) {
    const bool ref = (a.vt & VT_BYREF) != 0;
    std::wostringstream out;
    out << (ref ? L"&" : L"");
    if ((a.vt & ~VT_BYREF) == VT_R8) out << L"double " << (ref ? *a.pdblVal : a.dblVal);
    if ((a.vt & ~VT_BYREF) == VT_I2) out << L"short " << (ref ? *a.piVal : a.iVal);
    if ((a.vt & ~VT_BYREF) == VT_I4) out << L"long " << (ref ? *a.plVal : a.lVal);
    if ((a.vt & ~VT_BYREF) == VT_BSTR) out << L"string " << std::wstring(ref ? *a.pbstrVal : a.bstrVal);
    if ((a.vt & ~VT_BYREF) == VT_DISPATCH) out << L"object";
    return out.str();
}

// A class of the installation played by the test, registered for its class identifier while it lives: it
// logs "Member(arguments)" or "Member = value" and answers through `answer`, which may fail as an automation
// server does.
class StandIn final : public IDispatch, public IClassFactory {
  public:
    using Answer = std::function<HRESULT(const std::wstring& member, DISPPARAMS&, VARIANT*, EXCEPINFO*)>;
    StandIn(const CLSID& clsid, std::vector<std::wstring> members, ComPtr<ITypeInfo> info = {})
        : clsid_(clsid), members_(std::move(members)), info_(std::move(info)) {
        EXPECT_EQ(CoRegisterClassObject(clsid, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                                        REGCLS_MULTIPLEUSE, &cookie_),
                  S_OK);
    }
    ~StandIn() { CoRevokeClassObject(cookie_); }
    std::unique_ptr<com::DispatchObject> create() const { return com::DispatchObject::create(clsid_); }
    std::vector<std::wstring> log;
    Answer answer = [](auto&&...) { return S_OK; };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        *out = iid == IID_IClassFactory ? static_cast<void*>(static_cast<IClassFactory*>(this))
               : iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this)
                                                             : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) noexcept override {
        return QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override { return *count = 1, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
        *info = ComPtr<ITypeInfo>(info_).detach();
        return *info ? S_OK : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                            DISPID* id) noexcept override {
        for (size_t i = 0; i < members_.size(); ++i)
            if (_wcsicmp(members_[i].c_str(), names[0]) == 0) return *id = DISPID(i + 1), S_OK;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) noexcept override {
        const std::wstring& member = members_.at(id - 1);
        std::wstring entry = member + (flags == DISPATCH_PROPERTYPUT ? L" = " : L"(");
        for (UINT i = parameters->cArgs; i > 0; --i)
            entry += typed(parameters->rgvarg[i - 1]) + (i > 1 ? L", " : L"");
        log.push_back(entry + (flags == DISPATCH_PROPERTYPUT ? L"" : L")"));
        return answer(member, *parameters, result, exception);
    }

  private:
    CLSID clsid_;
    std::vector<std::wstring> members_;
    ComPtr<ITypeInfo> info_;
    DWORD cookie_ = 0;
};

// What a failing member of a class written for the platform hands back: error 5, its text, its source.
HRESULT failWithError5(EXCEPINFO* exception) {
    exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5);
    exception->bstrDescription = SysAllocString(L"Llamada no válida");
    exception->bstrSource = SysAllocString(L"Instalado");
    return DISP_E_EXCEPTION;
}

template <class Call>
std::string errorOf(Call&& call) {
    try {
        call();
    } catch (const automation::AutomationError& error) {
        return error.what();
    }
    return "no error";
}

TEST(InstalledCollaborators, TheConverterGetsDecimalsAsShortsByReferenceAndItsFailuresReachTheCaller) {
    StandIn standIn(kConverter, {L"TextToNumber", L"NumberToText"});
    standIn.answer = [](const std::wstring& member, DISPPARAMS& parameters, VARIANT* result, EXCEPINFO* e) {
        if (member == L"TextToNumber") return result->vt = VT_R8, result->dblVal = 12.5, S_OK;
        if (*parameters.rgvarg[2].pdblVal < 0) return failWithError5(e);
        *parameters.rgvarg[1].piVal = 9;  // a callee may write into what it was handed by reference
        return result->vt = VT_BSTR, result->bstrVal = SysAllocString(L"1.234,500"), S_OK;
    };
    com::InstalledNumberConverter converter(standIn.create());
    EXPECT_EQ(converter.NumberToText(1234.5, 3, 0), u"1.234,500");
    EXPECT_EQ(converter.TextToNumber(u"12,5"), 12.5);
    EXPECT_EQ(standIn.log, (std::vector<std::wstring>{L"NumberToText(&double 1234.5, &short 3, &short 0)",
                                                      L"TextToNumber(string 12,5)"}));
    EXPECT_EQ(errorOf([&] { converter.NumberToText(-1, 2, 0); }), "Instalado: 5: Llamada no válida");
}

TEST(InstalledCollaborators, ThePlacementStoreGetsTheFormAndTextsByReferenceAndItsFailuresReachTheCaller) {
    StandIn standIn(kStore, {L"RestorePlacementAndSize", L"RestorePlacement", L"StorePlacement"});
    standIn.answer = [](const std::wstring& member, DISPPARAMS&, VARIANT*, EXCEPINFO* e) {
        return member == L"StorePlacement" ? failWithError5(e) : S_OK;
    };
    ui::HeadlessToolkit toolkit;
    ui::Form form(toolkit, "F_Pol_Edt", u"Editor", ui::BorderStyle::SizableToolWindow);
    com::InstalledPlacementStore store(standIn.create(), nullptr);
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(errorOf([&] { store.StorePlacement(form, u"Editar Polilíneas", u"EditarPol"); }),
              "Instalado: 5: Llamada no válida");
    EXPECT_EQ(standIn.log,
              (std::vector<std::wstring>{
                  L"RestorePlacementAndSize(&object, &string Editar Polilíneas, &string EditarPol, "
                  L"&long 200, &long 500, &long 8700, &long 5700)",
                  L"StorePlacement(&object, &string Editar Polilíneas, &string EditarPol)"}));
}

TEST(InstalledCollaborators,
     TheColorPickerGetsTextsAndItsThreeSettingsInDeclaredOrderAndItsFailuresReachTheCaller) {
    // The picker's interface as its type information declares it; the settings' names are the installation's.
    PARAMDATA text[] = {{const_cast<OLECHAR*>(L"value"), VT_BSTR}};
    PARAMDATA number[] = {{const_cast<OLECHAR*>(L"value"), VT_I4}};
    auto put = [](const wchar_t* name, DISPID id, PARAMDATA* parameter) {
        return METHODDATA{const_cast<OLECHAR*>(name), parameter, id, UINT(id + 6), CC_STDCALL, 1,
                          DISPATCH_PROPERTYPUT,       VT_EMPTY};
    };
    METHODDATA methods[] = {
        put(L"Title", 1, text),
        put(L"InitialColor", 2, text),
        put(L"Modo", 3, number),
        put(L"Rejilla", 4, number),
        put(L"Ayuda", 5, number),
        {const_cast<OLECHAR*>(L"ChosenColor"), nullptr, 6, 12, CC_STDCALL, 0, DISPATCH_PROPERTYGET, VT_I4},
        {const_cast<OLECHAR*>(L"ShowPicker"), nullptr, 7, 13, CC_STDCALL, 0, DISPATCH_METHOD, VT_EMPTY}};
    INTERFACEDATA declared = {methods, 7};
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(CreateDispTypeInfo(&declared, LOCALE_USER_DEFAULT, info.put()), S_OK);
    StandIn standIn(kPicker,
                    {L"Title", L"InitialColor", L"Modo", L"Rejilla", L"Ayuda", L"ChosenColor", L"ShowPicker"},
                    info);
    bool fail = false;
    standIn.answer = [&](const std::wstring& member, DISPPARAMS&, VARIANT* result, EXCEPINFO* e) {
        if (member == L"ChosenColor") return result->vt = VT_I4, result->lVal = 0x00FF00, S_OK;
        return fail && member == L"ShowPicker" ? failWithError5(e) : S_OK;
    };
    com::InstalledColorPicker picker(standIn.create());
    picker.Title(u"Color capa:");
    picker.InitialColor(u"255");
    picker.Setting1(0), picker.Setting2(0), picker.Setting3(0);
    picker.ShowPicker();
    EXPECT_EQ(picker.ChosenColor(), 0x00FF00);
    EXPECT_EQ(standIn.log, (std::vector<std::wstring>{
                               L"Title = string Color capa:", L"InitialColor = string 255", L"Modo = long 0",
                               L"Rejilla = long 0", L"Ayuda = long 0", L"ShowPicker()", L"ChosenColor()"}));
    fail = true;
    EXPECT_EQ(errorOf([&] { picker.ShowPicker(); }), "Instalado: 5: Llamada no válida");
}

}  // namespace
}  // namespace orv::e2e
