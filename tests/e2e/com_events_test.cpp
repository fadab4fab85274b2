// The real Orv_Pol_edit.dll, registered and created as a host creates it, with its real dialogs worked by a
// user on another thread: early- and late-bound calls, every event to two sinks by reference, what a sink
// writes shown by the dialog, sink failures and their boxes, the form argument and the module's unload state.
#include <gtest/gtest.h>

#include <olectl.h>
#include <oleidl.h>

#include <functional>
#include <stdexcept>

#include "two_sink_server.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

const std::wstring kPoints =
    L"[0 1001.5 1002.5 1003.5 1004.5 1005.5 1006.5], "
    L"[0 2001.25 2002.25 2003.25 2004.25 2005.25 2006.25], [0 10 20 30 40 50 60], "
    L"[ P1 P2 P3 P4 P5 P6], [ C\u00f3d1 C\u00f3d2 C\u00f3d3 C\u00f3d4 C\u00f3d5 C\u00f3d6], "
    L"[0 2 1 2 1 2 1]";

// A form as a host hands it: an object with a window.
class HostForm final : public IOleWindow {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (iid == IID_IUnknown || iid == IID_IOleWindow) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override {
        *window = GetDesktopWindow();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override { return S_OK; }
};

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";
const std::wstring kEditorCaption = L"Editor de polil\u00edneas:";

// Each event as both sinks receive it: A first, then B.
Log toBoth(const Log& events) {
    Log both;
    for (const std::wstring& event : events) {
        both.push_back(L"A " + event);
        both.push_back(L"B " + event);
    }
    return both;
}

// A late-bound PasaDatos with the host's by-reference arguments.
HRESULT invoke(_C_Enf_Pol& object, DISPID id, std::vector<VARIANTARG> arguments) {
    DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT result = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                         nullptr, &exception, &argumentError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

// The polyline's ">" (or "<") first, the vertex's second.
std::vector<HWND> arrows(UiDriver& ui, HWND dialog, const wchar_t* caption) {
    auto found = ui.byPosition(ui.children(dialog, L"Button", caption));
    if (found.size() != 2) throw std::runtime_error("expected two arrow buttons");
    return found;
}

// What the focus dialog shows, top to bottom: its fields, its frames, its counts and the polyline's layer.
std::wstring shown(UiDriver& ui, HWND dialog) {
    std::vector<HWND> frames, counts;
    for (HWND button : ui.children(dialog, L"Button"))
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) frames.push_back(button);
    for (HWND label : ui.children(dialog, L"Static"))
        if (ui.text(label).starts_with(L" /")) counts.push_back(label);
    std::wstring out;
    for (const auto& windows :
         {ui.children(dialog, L"Edit"), frames, counts, ui.children(dialog, L"ComboBox")}) {
        for (HWND window : ui.byPosition(windows)) out += ui.text(window) + L"|";
        out += L" ";
    }
    return out;
}

class RealServer : public TwoSinkServer {
  protected:
    void SetUp() override {
        TwoSinkServer::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(server_->call("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        TwoSinkServer::TearDown();
        if (server_) server_->call("DllUnregisterServer");
    }

    // Through the registration, by programmatic name or by class identifier.
    void create(bool byName) {
        CLSID clsid = CLSID_C_Enf_Pol;
        if (byName) {
            ASSERT_EQ(CLSIDFromProgID(L"Orv_Pol_edit.C_Enf_Pol", &clsid), S_OK);
        }
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID__C_Enf_Pol, object_.putVoid()),
                  S_OK);
    }

    // The host's call, while the user works its dialog.
    void withUser(const UiDriver::Script& user, const std::function<void()>& call) {
        UiDriver driver(user);
        call();
        for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
    }

    // The user waits for what an action raises: B hears each event last.
    void await(UiDriver& ui, unsigned events) {
        ui.waitUntil([&] { return second_->calls() >= events; }, concat("event ", events));
    }
};

// Early bound, by programmatic name: a user's tour of the focus dialog reaches both sinks in order, the
// polyline sink A writes into newPolCambiala is what the dialog shows and what B and the next events carry,
// and the host's own data stays as it was.
TEST_F(RealServer, AUsersTourReachesBothSinksAndWhatASinkWritesIsWhatTheDialogContinuesWith) {
    create(true);
    bool written = false;
    first_->hook = [&](DISPID id, DISPPARAMS& parameters, EXCEPINFO*) {
        // Arguments arrive last first: acolpol, aNoPoli, acapP, aVertP, aPolN.
        if (id != DISPID_newPolCambiala || *parameters.rgvarg[4].plVal != 2 || written) return S_OK;
        written = true;
        SAFEARRAY** vertices = parameters.rgvarg[3].pparray;
        SafeArrayDestroy(*vertices);
        *vertices = SafeArrayCreateVector(VT_I4, 1, 3);
        const LONG replacement[] = {4, 1, 6};
        for (LONG i = 0; i < 3; ++i) static_cast<LONG*>((*vertices)->pvData)[i] = replacement[i];
        *parameters.rgvarg[2].piVal = 2;
        *parameters.rgvarg[1].plVal = 9;
        *parameters.rgvarg[0].plVal = 0x00FF00;
        return S_OK;
    };
    Subscription a(object_.get(), first_), b(object_.get(), second_);
    HostDrawing drawing;
    const std::wstring before = drawing.fingerprint();
    std::wstring afterStep;

    withUser(
        [&](UiDriver& ui) {
            HWND dialog = ui.waitForWindow(kFocusCaption);
            await(ui, 2);
            ui.click(arrows(ui, dialog, L">")[1]);
            await(ui, 4);
            ui.click(ui.child(dialog, L"Button", L"+"));
            await(ui, 5);
            ui.click(ui.child(dialog, L"Button", L"-"));
            await(ui, 6);
            ui.click(ui.child(dialog, L"Button", L"Capturar <<"));
            await(ui, 7);
            ui.click(arrows(ui, dialog, L">")[0]);
            await(ui, 10);
            afterStep = shown(ui, dialog);
            HWND swatch = ui.child(dialog, L"Button", L" ");
            RECT area;
            GetClientRect(swatch, &area);
            ui.check(ui.pixelAt(swatch, POINT{area.right / 2, area.bottom / 2}) == RGB(0, 255, 0),
                     "the swatch shows the colour sink A wrote");
            ui.press(VK_ESCAPE);
            await(ui, 12);
        },
        [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });

    EXPECT_EQ(afterStep,
              L"2|1|4|P4|1004.500|2004.250|40.000|C\u00f3d4| "
              L"9 Polil\u00edneas |Polil\u00ednea 2|V\u00e9rtice 3|Zoom|  /9| /3| Bordes|Ejes| ");
    // The set-up, ">" on the vertex (announced twice), "+", "-", "Capturar <<", ">" on the polyline (asked
    // for, then set up on what A wrote) and Esc (the unload's Cancela and the button's).
    const std::wstring supplied = L"newPolCambiala(2, [4 1 6], 2, 9, 65280)";
    Log expected =
        toBoth({L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)", L"EnfocaPuntito(3, 1)",
                L"EnfocaPuntito(3, 1)", L"Zoom(true, 2, 1)", L"Zoom(false, 2, 1)",
                L"EnfocaPol(3, 4, " + kPoints + L", 1, [2 3 5 6], 1, 3, 255)"});
    expected.push_back(L"A newPolCambiala(2, [2 3 5 6], 1, 3, 255)");
    expected.push_back(L"B " + supplied);
    for (const std::wstring& event :
         toBoth({supplied, L"EnfocaPuntito(4, 2)", L"CancelarEnfoca()", L"CancelarEnfoca()"}))
        expected.push_back(event);
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(drawing.fingerprint(), before);
}

TEST_F(RealServer, ASinkFailureShowsTheTrappedRelaysBoxAndTheDialogGoesOn) {
    create(false);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"PasaDatos"), const_cast<LPOLESTR>(L"C\u00f3digo"),
                        const_cast<LPOLESTR>(L"NoPoli")};
    DISPID ids[3] = {};
    ASSERT_EQ(object_->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_PasaDatos);
    EXPECT_EQ(ids[1], 8);
    EXPECT_EQ(ids[2], 15);
    first_->hook = [](DISPID id, DISPPARAMS&, EXCEPINFO* exception) {
        if (id == DISPID_CancelarEnfoca) return S_OK;
        if (id == DISPID_Zoom || id == DISPID_newPolCambiala) return E_FAIL;
        exception->wCode = id == DISPID_EnfocaPuntito ? 1234 : 0;
        exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 4321);
        exception->bstrDescription = SysAllocString(L"sin datos");
        exception->bstrSource = SysAllocString(L"Anfitri\u00f3n");
        return DISP_E_EXCEPTION;
    };
    Subscription a(object_.get(), first_), b(object_.get(), second_);
    HostDrawing drawing;
    MessageBoxWatcher watcher;

    withUser(
        [&](UiDriver& ui) {
            HWND dialog = ui.waitForWindow(kFocusCaption);
            await(ui, 2);
            ui.click(ui.child(dialog, L"Button", L"+"));
            await(ui, 3);
            ui.click(ui.child(dialog, L"Button", L"Capturar <<"));
            await(ui, 4);
            ui.waitUntil([&] { return watcher.boxes().size() >= 2 && IsWindowEnabled(dialog); },
                         "the capture's box to be answered");
            ui.press(VK_ESCAPE);
            await(ui, 6);
        },
        [&] { EXPECT_EQ(invoke(*object_.get(), ids[0], drawing.byReferenceArguments()), S_OK); });

    EXPECT_EQ(watcher.waitForBoxes(2),
              (Log{L"Anfitri\u00f3n|Enfoca Puntos - Error n\u00ba 1234: sin datos|critical|1",
                   L"Anfitri\u00f3n|Enfoca Pol - Error n\u00ba 4321: sin datos|critical|1"}));
    EXPECT_EQ(log_,
              toBoth({L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)", L"Zoom(true, 1, 1)",
                      L"EnfocaPol(2, 4, " + kPoints + L", 1, [2 3 5 6], 1, 3, 255)", L"CancelarEnfoca()",
                      L"CancelarEnfoca()"}));
}

TEST_F(RealServer, AnObjectThatIsNoFormIsATypeMismatchAndNoDialogOpens) {
    create(false);
    Subscription a(object_.get(), first_);
    HostDrawing drawing;
    drawing.frm1 = second_;  // a dispatch object with neither a window nor hWnd
    const std::wstring before = drawing.fingerprint();
    MessageBoxWatcher watcher;
    Log boxes;
    // Should a dialog open after all, the user's end closes it.
    withUser([&](UiDriver&) { boxes = watcher.waitForBoxes(1); },
             [&] { EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK); });
    EXPECT_EQ(boxes,
              (Log{L"Orv_Pol_edit|Enfoca Pollilinea - Error n\u00ba 13: No coinciden los tipos|critical|1"}));
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(drawing.fingerprint(), before);
}

TEST_F(RealServer, AFormOrNothingOpensEitherDialogAndTheModuleStaysWhileOneIsOpen) {
    create(false);
    HRESULT duringDialog = E_FAIL;
    first_->hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id == DISPID_newPolCambiala && object_) {
            object_.reset();  // the host lets go of the object while its dialog is open
            duringDialog = server_->canUnloadNow();
        }
        return S_OK;
    };
    HostForm form;
    HostDrawing drawing;
    {
        Subscription a(object_.get(), first_), b(object_.get(), second_);
        ComPtr<_C_Enf_Pol> caller(object_.get());
        drawing.frm1 = reinterpret_cast<IDispatch*>(static_cast<IUnknown*>(&form));
        withUser(
            [&](UiDriver& ui) {
                ui.waitForWindow(kFocusCaption);
                await(ui, 2);
                ui.press(VK_ESCAPE);
                await(ui, 4);
            },
            [&] { EXPECT_EQ(drawing.pasaDatos(*caller.get()), S_OK); });
        drawing.frm1 = nullptr;
        drawing.Tipo = 2;
        withUser(
            [&](UiDriver& ui) {
                HWND dialog = ui.waitForWindow(kEditorCaption);
                await(ui, 6);
                ui.click(ui.child(dialog, L"Button", L"Cancelar"));
                await(ui, 7);
            },
            [&] { EXPECT_EQ(drawing.pasaDatos(*caller.get()), S_OK); });
    }
    EXPECT_EQ(duringDialog, S_FALSE);
    EXPECT_EQ(log_,
              toBoth({L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)", L"CancelarEnfoca()",
                      L"CancelarEnfoca()", L"newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"EnfocaPuntito(2, 1)",
                      L"CancelarEnfoca()"}));
    EXPECT_EQ(server_->canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory = server_->factory();
    ASSERT_TRUE(factory);
    factory->LockServer(TRUE);
    factory.reset();
    EXPECT_EQ(server_->canUnloadNow(), S_FALSE);
    server_->factory()->LockServer(FALSE);
}

TEST_F(RealServer, ItDescribesItselfAndItsEvents) {
    create(true);
    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(object_->QueryInterface(IID_IProvideClassInfo2, info.putVoid()), S_OK);
    GUID source = {};
    EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_EQ(source, DIID___C_Enf_Pol);
    ComPtr<ITypeInfo> type;
    ASSERT_EQ(info->GetClassInfo(type.put()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(type->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->guid, CLSID_C_Enf_Pol);
    type->ReleaseTypeAttr(attributes);

    ComPtr<ISupportErrorInfo> errors;
    ASSERT_EQ(object_->QueryInterface(IID_ISupportErrorInfo, errors.putVoid()), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID__C_Enf_Pol), S_OK);

    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(object_->QueryInterface(IID_IConnectionPointContainer, container.putVoid()), S_OK);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.put()), S_OK);
    ComPtr<IConnectionPoint> point;
    ULONG fetched = 0;
    ASSERT_EQ(points->Next(1, point.put(), &fetched), S_OK);
    IID iid = {};
    point->GetConnectionInterface(&iid);
    EXPECT_EQ(iid, DIID___C_Enf_Pol);
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, point.put()), CONNECT_E_NOCONNECTION);
}

}  // namespace
}  // namespace orv::e2e
