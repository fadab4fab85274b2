// The class through its COM edge, with the scripted dialogs: early- and late-bound calls, events to several
// sinks by reference, sink failures, the form argument and the module's unload state.
#include <gtest/gtest.h>

#include <olectl.h>
#include <oleidl.h>

#include "com_test_host.h"

namespace orv::e2e {
namespace {

using Log = std::vector<std::wstring>;

const std::wstring kPoints =
    L"[0 1001.5 1002.5 1003.5 1004.5 1005.5 1006.5], "
    L"[0 2001.25 2002.25 2003.25 2004.25 2005.25 2006.25], [0 10 20 30 40 50 60], "
    L"[ P1 P2 P3 P4 P5 P6], [ C\u00f3d1 C\u00f3d2 C\u00f3d3 C\u00f3d4 C\u00f3d5 C\u00f3d6], "
    L"[0 2 1 2 1 2 1]";

class ScriptedServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fileExists(scriptedDll()));
        server_ = std::make_unique<LoadedServer>(scriptedDll());
        object_ = server_->create();
        ASSERT_TRUE(object_);
        first_ = new EventSink(&log_, L"A ");
        second_ = new EventSink(&log_, L"B ");
    }
    void TearDown() override {
        object_.reset();
        first_->Release();
        second_->Release();
        EXPECT_EQ(server_->canUnloadNow(), S_OK) << "an object, lock or dialog outlived the scenario";
    }

    std::unique_ptr<LoadedServer> server_;
    ComPtr<_C_Enf_Pol> object_;
    EventSink* first_ = nullptr;
    EventSink* second_ = nullptr;
    Log log_;
};

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

TEST_F(ScriptedServer, EarlyBoundCallRelaysEveryEventToEverySinkInOrderAndLeavesTheHostDataAlone) {
    Subscription a(object_.get(), first_), b(object_.get(), second_);
    HostDrawing drawing;
    const std::wstring before = drawing.fingerprint();

    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);

    const std::wstring enfocaPol = L"EnfocaPol(2, 6, " + kPoints + L", 1, [2 3 5 6], 1, 3, 255)";
    EXPECT_EQ(
        log_,
        (Log{L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"B newPolCambiala(1, [2 3 5 6], 1, 3, 255)",
             L"A EnfocaPuntito(2, 1)", L"B EnfocaPuntito(2, 1)", L"A Zoom(true, 6, 1)", L"B Zoom(true, 6, 1)",
             L"A " + enfocaPol, L"B " + enfocaPol, L"A CancelarEnfoca()", L"B CancelarEnfoca()"}));
    EXPECT_EQ(drawing.fingerprint(), before);
}

TEST_F(ScriptedServer, TheEditorsPointZeroReachesNoSink) {
    Subscription a(object_.get(), first_);
    HostDrawing drawing;
    drawing.Tipo = 2;
    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
    ASSERT_FALSE(log_.empty());
    EXPECT_EQ(log_.front(), L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)");
    EXPECT_EQ(log_.size(), 5u);
}

TEST_F(ScriptedServer, WhatASinkWritesIsWhatTheDialogAndTheNextSinkContinueWith) {
    first_->hook = [](DISPID id, DISPPARAMS& parameters, EXCEPINFO*) {
        if (id != DISPID_newPolCambiala) return S_OK;
        // Arguments arrive last first: acolpol, aNoPoli, acapP, aVertP, aPolN.
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

    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);

    ASSERT_GE(log_.size(), 8u);
    EXPECT_EQ(log_[1], L"B newPolCambiala(1, [4 1 6], 2, 9, 65280)");
    EXPECT_EQ(log_[2], L"A EnfocaPuntito(4, 1)");
    EXPECT_EQ(log_[4], L"A Zoom(true, 6, 1)");
    EXPECT_EQ(log_[6], L"A EnfocaPol(4, 6, " + kPoints + L", 1, [4 1 6], 2, 9, 65280)");
    EXPECT_EQ(drawing.fingerprint(), before);
}

TEST_F(ScriptedServer, LateBoundCallsByIdentifierAndByNameBehaveAsTheEarlyBoundOne) {
    Subscription a(object_.get(), first_);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"PasaDatos"), const_cast<LPOLESTR>(L"C\u00f3digo"),
                        const_cast<LPOLESTR>(L"NoPoli")};
    DISPID ids[3] = {};
    ASSERT_EQ(object_->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_PasaDatos);
    EXPECT_EQ(ids[1], 8);
    EXPECT_EQ(ids[2], 15);

    for (int round = 0; round < 2; ++round) {
        log_.clear();
        HostDrawing drawing;
        const std::wstring before = drawing.fingerprint();
        std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
        DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        EXCEPINFO exception = {};
        UINT argumentError = 0;
        EXPECT_EQ(object_->Invoke(round == 0 ? DISPID_PasaDatos : ids[0], IID_NULL, LOCALE_USER_DEFAULT,
                                  DISPATCH_METHOD, &parameters, nullptr, &exception, &argumentError),
                  S_OK);
        EXPECT_EQ(log_.size(), 5u);
        EXPECT_EQ(log_.front(), L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)");
        EXPECT_EQ(drawing.fingerprint(), before);
    }
}

TEST_F(ScriptedServer, LateBoundArgumentsOfTheWrongTypeAreRefusedWithoutTouchingTheHost) {
    HostDrawing drawing;
    std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
    HostArray wrong(VT_I2, 0, 3);
    arguments[12].vt = VT_BYREF | VT_ARRAY | VT_I2;  // X as Integers
    arguments[12].pparray = wrong.address();
    DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT hr = object_->Invoke(DISPID_PasaDatos, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                       &parameters, nullptr, &exception, &argumentError);
    EXPECT_TRUE(FAILED(hr));
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    EXPECT_TRUE(log_.empty());
}

TEST_F(ScriptedServer, ASinkFailureIsReportedByTheTrappedRelaysOnlyAndTheDialogGoesOn) {
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
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
        EXPECT_EQ(watcher.waitForBoxes(2),
                  (Log{L"Anfitri\u00f3n|Enfoca Puntos - Error n\u00ba 1234: sin datos|critical|1",
                       L"Anfitri\u00f3n|Enfoca Pol - Error n\u00ba 4321: sin datos|critical|1"}));
    }
    // Every sink still received every event.
    EXPECT_EQ(log_.size(), 10u);
    EXPECT_EQ(log_.back(), L"B CancelarEnfoca()");
}

TEST_F(ScriptedServer, AnObjectThatIsNoFormIsATypeMismatchReportedByPasaDatos) {
    Subscription a(object_.get(), first_);
    HostDrawing drawing;
    drawing.frm1 = second_;  // a dispatch object with neither a window nor hWnd
    const std::wstring before = drawing.fingerprint();
    {
        MessageBoxWatcher watcher;
        EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
        EXPECT_EQ(
            watcher.waitForBoxes(1),
            (Log{L"Orv_Pol_edit|Enfoca Pollilinea - Error n\u00ba 13: No coinciden los tipos|critical|1"}));
    }
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(drawing.fingerprint(), before);
}

TEST_F(ScriptedServer, AFormOrNothingOpensTheDialog) {
    Subscription a(object_.get(), first_);
    HostForm form;
    HostDrawing drawing;
    drawing.frm1 = reinterpret_cast<IDispatch*>(static_cast<IUnknown*>(&form));
    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
    EXPECT_EQ(log_.size(), 5u);
    log_.clear();
    drawing.frm1 = nullptr;
    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
    EXPECT_EQ(log_.size(), 5u);
}

TEST_F(ScriptedServer, TheModuleStaysLoadedWhileAnObjectALockOrAnOpenDialogLives) {
    EXPECT_EQ(server_->canUnloadNow(), S_FALSE);
    HRESULT duringDialog = E_FAIL;
    first_->hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id != DISPID_newPolCambiala) return S_OK;
        object_.reset();  // the host lets go of the object while its dialog is open
        duringDialog = server_->canUnloadNow();
        return S_OK;
    };
    {
        Subscription a(object_.get(), first_);
        HostDrawing drawing;
        ComPtr<_C_Enf_Pol> caller(object_.get());
        EXPECT_EQ(drawing.pasaDatos(*caller.get()), S_OK);
    }
    EXPECT_EQ(duringDialog, S_FALSE);
    EXPECT_EQ(server_->canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory = server_->factory();
    ASSERT_TRUE(factory);
    factory->LockServer(TRUE);
    factory.reset();
    EXPECT_EQ(server_->canUnloadNow(), S_FALSE);
    server_->factory()->LockServer(FALSE);
}

TEST_F(ScriptedServer, ItDescribesItselfAndItsEvents) {
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
