// The adapters of the installation's converter, placement store and colour picker, against stand-ins that the
// test registers for the installation's class identifiers: what each member receives (types, by reference or
// not, the picker's settings in the order its type information declares), and that a failing member is the
// caller's error, never answered by the component's own services.
#include <sstream>

#include "automation/automation_error.h"
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
    if ((a.vt & ~VT_BYREF) == VT_BSTR) out << L"string " << (ref ? *a.pbstrVal : a.bstrVal);
    if ((a.vt & ~VT_BYREF) == VT_DISPATCH) out << L"object";
    return out.str();
}

// A class of the installation played by the test, registered for its class identifier while it lives. It logs
// "Member(arguments)" or "Member = value" into the shared log; its answers are the test's, and `failing`
// fails as an automation server does: error 5, its text, its source.
class StandIn final : public IDispatch, public IClassFactory {
  public:
    StandIn(const CLSID& clsid, std::vector<std::wstring> members, Log& log, ComPtr<ITypeInfo> info = {})
        : members_(std::move(members)), log_(log), info_(std::move(info)) {
        CoRegisterClassObject(clsid, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &cookie_);
    }
    ~StandIn() { CoRevokeClassObject(cookie_); }
    std::wstring failing;

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
        log_.push_back(entry + (flags == DISPATCH_PROPERTYPUT ? L"" : L")"));
        if (member == failing) {
            exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5);
            exception->bstrDescription = SysAllocString(L"Llamada no válida");
            exception->bstrSource = SysAllocString(L"Instalado");
            return DISP_E_EXCEPTION;
        }
        if (member == L"NumberToText") *parameters->rgvarg[1].piVal = 9;  // a callee may write into it
        if (member == L"NumberToText") result->vt = VT_BSTR, result->bstrVal = SysAllocString(L"1.234,500");
        if (member == L"TextToNumber") result->vt = VT_R8, result->dblVal = 12.5;
        if (member == L"ChosenColor") result->vt = VT_I4, result->lVal = 0x00FF00;
        return S_OK;
    }

  private:
    std::vector<std::wstring> members_;
    Log& log_;
    ComPtr<ITypeInfo> info_;
    DWORD cookie_ = 0;
};

template <class Call>
std::string errorOf(StandIn& standIn, const wchar_t* member, Call&& call) {
    standIn.failing = member;
    try {
        call();
    } catch (const automation::AutomationError& error) {
        return error.what();
    }
    return "no error";
}

TEST(InstalledCollaborators, EachMemberGetsItsArgumentsAsDeclaredAndItsFailuresReachTheCaller) {
    // The picker's interface as its type information declares it; the settings' names are the installation's.
    PARAMDATA text[] = {{const_cast<OLECHAR*>(L"value"), VT_BSTR}},
              number[] = {{const_cast<OLECHAR*>(L"v"), VT_I4}};
    auto member = [](const wchar_t* name, DISPID id, PARAMDATA* parameter, WORD kind, VARTYPE type) {
        return METHODDATA{const_cast<OLECHAR*>(name), parameter, id,  UINT(id + 6), CC_STDCALL,
                          parameter ? 1u : 0u,        kind,      type};
    };
    METHODDATA methods[] = {member(L"Title", 1, text, DISPATCH_PROPERTYPUT, VT_EMPTY),
                            member(L"InitialColor", 2, text, DISPATCH_PROPERTYPUT, VT_EMPTY),
                            member(L"Modo", 3, number, DISPATCH_PROPERTYPUT, VT_EMPTY),
                            member(L"Rejilla", 4, number, DISPATCH_PROPERTYPUT, VT_EMPTY),
                            member(L"Ayuda", 5, number, DISPATCH_PROPERTYPUT, VT_EMPTY),
                            member(L"ChosenColor", 6, nullptr, DISPATCH_PROPERTYGET, VT_I4),
                            member(L"ShowPicker", 7, nullptr, DISPATCH_METHOD, VT_EMPTY)};
    INTERFACEDATA declared = {methods, 7};
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(CreateDispTypeInfo(&declared, LOCALE_USER_DEFAULT, info.put()), S_OK);
    Log log;
    StandIn converterClass(kConverter, {L"TextToNumber", L"NumberToText"}, log);
    StandIn storeClass(kStore, {L"RestorePlacementAndSize", L"RestorePlacement", L"StorePlacement"}, log);
    StandIn pickerClass(
        kPicker, {L"Title", L"InitialColor", L"Modo", L"Rejilla", L"Ayuda", L"ChosenColor", L"ShowPicker"},
        log, info);
    com::InstalledNumberConverter converter(com::DispatchObject::create(kConverter));
    com::InstalledPlacementStore store(com::DispatchObject::create(kStore), nullptr);
    com::InstalledColorPicker picker(com::DispatchObject::create(kPicker));
    ui::HeadlessToolkit toolkit;
    ui::Form form(toolkit, "F_Pol_Edt", u"Editor", ui::BorderStyle::SizableToolWindow);

    EXPECT_EQ(converter.NumberToText(1234.5, 3, 0), u"1.234,500");
    EXPECT_EQ(converter.TextToNumber(u"12,5"), 12.5);
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    picker.Title(u"Color capa:");
    picker.InitialColor(u"255");
    picker.Setting1(0), picker.Setting2(0), picker.Setting3(0);
    picker.ShowPicker();
    EXPECT_EQ(picker.ChosenColor(), 0x00FF00);
    const std::string failure = "Instalado: 5: Llamada no válida";
    EXPECT_EQ(errorOf(converterClass, L"NumberToText", [&] { converter.NumberToText(-1, 2, 0); }), failure);
    EXPECT_EQ(errorOf(pickerClass, L"ShowPicker", [&] { picker.ShowPicker(); }), failure);
    EXPECT_EQ(log, (Log{L"NumberToText(&double 1234.5, &short 3, &short 0)", L"TextToNumber(string 12,5)",
                        L"RestorePlacementAndSize(&object, &string Editar Polilíneas, &string EditarPol, "
                        L"&long 200, &long 500, &long 8700, &long 5700)",
                        L"Title = string Color capa:", L"InitialColor = string 255", L"Modo = long 0",
                        L"Rejilla = long 0", L"Ayuda = long 0", L"ShowPicker()", L"ChosenColor()",
                        L"NumberToText(&double -1, &short 2, &short 0)", L"ShowPicker()"}));
}

}  // namespace
}  // namespace orv::e2e
