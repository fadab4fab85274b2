// Bad input through the real Orv_Pol_edit.dll: late-bound calls with arguments of the wrong kind, sinks that
// let go of their subscription or call again from inside an event, and placement values in the registry that
// are garbage or cannot be written. Each gets an automation error or the component's box; the host's
// variables stay as they were and the process goes on.
#include <gtest/gtest.h>

#include <functional>
#include <list>

#include "two_sink_server.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

const std::wstring kFocusCaption = L"Enfoca y edita Polilineas";
const std::wstring kEditorCaption = L"Editor de polil\u00edneas:";
const wchar_t kPlacements[] = L"Software\\Orv_Pol_edit";

HRESULT invokeLate(IDispatch& object, std::vector<VARIANTARG>& arguments) {
    DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT result = object.Invoke(DISPID_PasaDatos, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &parameters, nullptr, &exception, &argumentError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

// Arrays a case hands over instead of the host's, owned by the case.
using Spares = std::list<HostArray>;

SAFEARRAY** spare(Spares& spares, VARTYPE type, LONG lower, ULONG count) {
    return spares.emplace_back(type, lower, count).address();
}

SAFEARRAY** twoDimensional(Spares& spares, VARTYPE type) {
    SAFEARRAYBOUND bounds[2] = {{4, 1}, {2, 0}};
    SAFEARRAY** slot = spares.emplace_back().address();
    *slot = SafeArrayCreate(type, 2, bounds);
    return slot;
}

// Argument positions as DISPPARAMS holds them: the last parameter first.
enum Position {
    kPolcol,
    kNoPoli,
    kcapP,
    kVertP,
    kPolN,
    kCapas,
    knoCapas,
    kCapaPuntos,
    kCodigo,
    kNombre,
    kZ,
    kY,
    kX,
    kNuput,
    kPtoEnfo,
    kfrm1,
    kTipo
};

class BadInput : public TwoSinkServer {
  protected:
    void SetUp() override {
        TwoSinkServer::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_EQ(server_->factory()->CreateInstance(nullptr, IID__C_Enf_Pol, object_.putVoid()), S_OK);
    }

    // The host's call while a user closes by Esc whatever dialog opens, and the boxes it brought.
    Log callClosingDialogs(const std::function<void()>& call, std::size_t boxes) {
        MessageBoxWatcher watcher;
        Log seen;
        std::atomic<bool> returned{false};
        UiDriver driver([&](UiDriver& ui) {
            seen = watcher.waitForBoxes(boxes, std::chrono::seconds(5));
            for (int waited = 0; !returned && waited < 5000; waited += 20) ui.pause(20);
            ui.closeEverything();
        });
        call();
        returned = true;
        for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
        return seen;
    }
};

struct BadCall {
    const char* what;
    std::function<void(std::vector<VARIANTARG>&, Spares&)> bend;
    int boxNumber;  // 0: the call fails with an automation error and shows nothing; else the trap's box
};

TEST_F(BadInput, WrongArgumentsGetAnAutomationErrorOrTheTrapsBoxAndLeaveTheHostAlone) {
    static double scalar = 1;
    static SAFEARRAY* noArray = nullptr;
    static const BSTR text = SysAllocString(L"abc");
    const BadCall cases[] = {
        {"a scalar for an array",
         [](auto& a, Spares&) { a[kX].vt = VT_BYREF | VT_R8, a[kX].pdblVal = &scalar; }, 0},
        {"Doubles for Longs",
         [](auto& a, Spares& s) {
             a[kVertP].vt = VT_BYREF | VT_ARRAY | VT_R8, a[kVertP].pparray = spare(s, VT_R8, 1, 4);
         },
         0},
        {"an array that holds Doubles declared as Longs",
         [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_R8, 1, 4); }, 13},
        {"an array of Variants for Strings",
         [](auto& a, Spares& s) { a[kNombre].pparray = spare(s, VT_VARIANT, 0, 7); }, 13},
        {"two dimensions", [](auto& a, Spares& s) { a[kVertP].pparray = twoDimensional(s, VT_I4); }, 13},
        {"two dimensions of Integers",
         [](auto& a, Spares& s) { a[kCapaPuntos].pparray = twoDimensional(s, VT_I2); }, 13},
        {"no vertex array", [](auto& a, Spares&) { a[kVertP].pparray = &noArray; }, 9},
        {"no point array", [](auto& a, Spares&) { a[kY].pparray = &noArray; }, 9},
        {"a null reference to an array", [](auto& a, Spares&) { a[kZ].pparray = nullptr; }, 0},
        {"a null reference to the form", [](auto& a, Spares&) { a[kfrm1].ppdispVal = nullptr; }, 0},
        {"vertices below subscript 2", [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, -5, 3); },
         9},
        {"bounds at the top of the range",
         [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, 0x7FFFFFF0, 32); }, 9},
        {"points at the bottom of the range",
         [](auto& a, Spares& s) { a[kX].pparray = spare(s, VT_R8, -0x7FFFFFFF - 1, 4); }, 9},
        {"one argument missing", [](auto& a, Spares&) { a.erase(a.begin()); }, 0},
        {"one argument too many", [](auto& a, Spares&) { a.insert(a.begin(), a[kNoPoli]); }, 0},
        {"a string for a number", [](auto& a, Spares&) { a[kNuput].vt = VT_BSTR, a[kNuput].bstrVal = text; },
         0},
        {"nothing for an array", [](auto& a, Spares&) { a[kCapas].vt = VT_EMPTY; }, 0},
        {"an array by value",
         [](auto& a, Spares& s) { a[kX].vt = VT_ARRAY | VT_R8, a[kX].parray = *spare(s, VT_R8, 0, 7); }, 0},
    };
    for (const BadCall& bad : cases) {
        SCOPED_TRACE(bad.what);
        Subscription a(object_.get(), first_);
        HostDrawing drawing;
        const std::wstring before = drawing.fingerprint();
        std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
        Spares spares;
        bad.bend(arguments, spares);
        HRESULT result = S_OK;
        const Log boxes = callClosingDialogs([&] { result = invokeLate(*object_.get(), arguments); },
                                             bad.boxNumber ? 1 : 0);
        if (bad.boxNumber == 0) {
            EXPECT_TRUE(FAILED(result)) << std::hex << result;
            EXPECT_TRUE(boxes.empty()) << narrow(boxes.front());
        } else {
            EXPECT_EQ(result, S_OK);
            ASSERT_EQ(boxes.size(), 1u);
            const std::wstring prefix =
                L"Orv_Pol_edit|Enfoca Pollilinea - Error n\u00ba " + std::to_wstring(bad.boxNumber) + L": ";
            EXPECT_EQ(boxes[0].substr(0, prefix.size()), prefix) << narrow(boxes[0]);
        }
        EXPECT_TRUE(log_.empty()) << "no dialog opens: " << narrow(log_.front());
        log_.clear();
        EXPECT_EQ(drawing.fingerprint(), before);
    }
}

TEST_F(BadInput, ASinkThatUnsubscribesOrCallsAgainInsideAnEventLeavesEveryoneElseServed) {
    ComPtr<IConnectionPoint> point;
    {
        ComPtr<IConnectionPointContainer> container;
        object_->QueryInterface(IID_IConnectionPointContainer, container.putVoid());
        ASSERT_EQ(container->FindConnectionPoint(DIID___C_Enf_Pol, point.put()), S_OK);
    }
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(first_, &cookie), S_OK);
    Subscription b(object_.get(), second_);
    first_->hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id == DISPID_EnfocaPuntito && cookie) point->Unadvise(std::exchange(cookie, 0));
        return S_OK;
    };
    HostDrawing nested;
    nested.Tipo = 1;
    bool calledAgain = false;
    HRESULT inner = E_FAIL;
    second_->hook = [&](DISPID id, DISPPARAMS&, EXCEPINFO*) {
        if (id != DISPID_newPolCambiala || std::exchange(calledAgain, true)) return S_OK;
        std::vector<VARIANTARG> arguments = nested.byReferenceArguments();
        inner = invokeLate(*object_.get(), arguments);
        return S_OK;
    };
    const std::wstring before = nested.fingerprint();
    HostDrawing drawing;
    UiDriver driver([&](UiDriver& ui) {
        ui.click(ui.child(ui.waitForWindow(kEditorCaption), L"Button", L"Cancelar"));
        ui.waitForWindow(kFocusCaption);
        ui.press(VK_ESCAPE);
    });
    EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
    for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
    EXPECT_EQ(inner, S_OK);
    EXPECT_EQ(nested.fingerprint(), before);
    // The editor opened inside the focus dialog's first event; A left at its first EnfocaPuntito.
    EXPECT_EQ(log_,
              (Log{L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"B newPolCambiala(1, [2 3 5 6], 1, 3, 255)",
                   L"A newPolCambiala(1, [2 3 5 6], 1, 3, 255)", L"B newPolCambiala(1, [2 3 5 6], 1, 3, 255)",
                   L"A EnfocaPuntito(2, 1)", L"B EnfocaPuntito(2, 1)", L"B CancelarEnfoca()",
                   L"B EnfocaPuntito(2, 1)", L"B CancelarEnfoca()", L"B CancelarEnfoca()"}));
}

// A placement key of the test's own under HKCU, removed at the end.
class PlacementKey {
  public:
    PlacementKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kPlacements); }
    ~PlacementKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kPlacements); }
    void set(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(kPlacements) + L"\\" + path).c_str(), 0,
                                  nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    // Our own key made volatile: no lasting key can be created below it, so every store is refused.
    void refuseWrites() {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPlacements, 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(BadInput, GarbagePlacementsAndARegistryThatRefusesWritesStillGiveAVisibleDialogAndItsClosingEvents) {
    const DWORD huge = 0x7FFFFFFF, negative = 0x80000000, zero = 0;
    const wchar_t text[] = L"abc";
    const BYTE twoBytes[] = {1, 2};
    const std::wstring focus = L"Enfoca Polilineas\\enfoca", editor = L"Editar Polil\u00edneas\\EditarPol";
    Subscription a(object_.get(), first_);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        PlacementKey key;
        for (const std::wstring& path : {focus, editor}) {
            if (round == 0) {
                key.set(path, L"Left", REG_SZ, text, sizeof text);
                key.set(path, L"Top", REG_BINARY, twoBytes, sizeof twoBytes);
                key.set(path, L"Width", REG_DWORD, &huge, sizeof huge);
                key.set(path, L"Height", REG_DWORD, &zero, sizeof zero);
            } else if (round == 1) {
                for (const wchar_t* name : {L"Left", L"Top", L"Width", L"Height"})
                    key.set(path, name, REG_DWORD, name[0] == L'W' ? &zero : &negative, sizeof negative);
            }
        }
        if (round == 2) key.refuseWrites();
        for (SHORT tipo : {0, 1}) {
            HostDrawing drawing;
            drawing.Tipo = tipo;
            MessageBoxWatcher watcher;
            UiDriver driver([&](UiDriver& ui) {
                HWND dialog = ui.waitForWindow(tipo ? kEditorCaption : kFocusCaption);
                RECT shown = {}, both = {};
                const int left = GetSystemMetrics(SM_XVIRTUALSCREEN),
                          top = GetSystemMetrics(SM_YVIRTUALSCREEN);
                const RECT screen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                     top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
                GetWindowRect(dialog, &shown);
                ui.check(IntersectRect(&both, &shown, &screen) && shown.right - shown.left > 50 &&
                             shown.bottom - shown.top > 50,
                         "the dialog stands on the screen at a usable size");
                ui.press(VK_ESCAPE);
                ui.waitUntilGone(dialog);
            });
            EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
            for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
            // The close reaches the host whatever the store did; a refused store may add its own box.
            const Log closing(tipo ? 1 : 2, L"A CancelarEnfoca()");
            ASSERT_GE(log_.size(), closing.size());
            EXPECT_EQ(Log(log_.end() - closing.size(), log_.end()), closing);
            log_.clear();
        }
    }
}

}  // namespace
}  // namespace orv::e2e
