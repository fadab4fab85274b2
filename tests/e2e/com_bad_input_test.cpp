// Bad input through the real Orv_Pol_edit.dll: late-bound calls with arguments of the wrong kind, sinks that
// let go of their subscription or call again from inside an event, and placement values in the registry that
// are garbage or cannot be written. Each gets an automation error or the component's box; the host's
// variables stay as they were and the process goes on.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
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
    kNoPoli = 1,
    kVertP = 3,
    kCapas = 5,
    kCapaPuntos = 7,
    kNombre = 9,
    kZ,
    kY,
    kX,
    kNuput,
    kfrm1 = 15,
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

// What a bad call comes to: a failed call and nothing shown; S_OK after the trap's box with that error
// number, nothing opened; S_OK after the dialog refused the data in one box (it may announce its close); or a
// dialog that opens on what it was given and closes normally.
enum class Outcome { AutomationError, TrapBox9, TrapBox13, DialogRefuses, DialogOpens };

struct BadCall {
    const char* what;
    std::function<void(std::vector<VARIANTARG>&, Spares&)> bend;
    Outcome outcome;
};

TEST_F(BadInput, WrongArgumentsGetAnAutomationErrorOrABoxAndLeaveTheHostAlone) {
    using enum Outcome;
    static double scalar = 1;
    static SAFEARRAY* noArray = nullptr;
    static const BSTR text = SysAllocString(L"abc");
    const BadCall cases[] = {
        {"a scalar for an array",
         [](auto& a, Spares&) { a[kX].vt = VT_BYREF | VT_R8, a[kX].pdblVal = &scalar; }, AutomationError},
        {"Doubles for Longs",
         [](auto& a, Spares& s) {
             a[kVertP].vt = VT_BYREF | VT_ARRAY | VT_R8, a[kVertP].pparray = spare(s, VT_R8, 1, 4);
         },
         AutomationError},
        {"an array that holds Doubles declared as Longs",
         [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_R8, 1, 4); }, TrapBox13},
        {"an array of Variants for Strings",
         [](auto& a, Spares& s) { a[kNombre].pparray = spare(s, VT_VARIANT, 0, 7); }, TrapBox13},
        {"two dimensions", [](auto& a, Spares& s) { a[kVertP].pparray = twoDimensional(s, VT_I4); },
         TrapBox13},
        {"two dimensions of Integers",
         [](auto& a, Spares& s) { a[kCapaPuntos].pparray = twoDimensional(s, VT_I2); }, TrapBox13},
        {"no vertex array", [](auto& a, Spares&) { a[kVertP].pparray = &noArray; }, TrapBox9},
        {"no point array", [](auto& a, Spares&) { a[kY].pparray = &noArray; }, TrapBox9},
        {"a null reference to an array", [](auto& a, Spares&) { a[kZ].pparray = nullptr; }, AutomationError},
        {"a null reference to the form", [](auto& a, Spares&) { a[kfrm1].ppdispVal = nullptr; },
         AutomationError},
        {"vertices below subscript 2", [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, -5, 3); },
         DialogRefuses},
        {"vertex bounds past the top of the range",
         [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, 0x7FFFFFF0, 32); }, DialogRefuses},
        {"points at the bottom of the range",
         [](auto& a, Spares& s) { a[kX].pparray = spare(s, VT_R8, -0x7FFFFFFF - 1, 4); }, TrapBox9},
        {"one argument missing", [](auto& a, Spares&) { a.erase(a.begin()); }, AutomationError},
        {"one argument too many", [](auto& a, Spares&) { a.insert(a.begin(), a[kNoPoli]); }, AutomationError},
        {"a text for a number", [](auto& a, Spares&) { a[kNuput].vt = VT_BSTR, a[kNuput].bstrVal = text; },
         AutomationError},
        {"nothing for an array", [](auto& a, Spares&) { a[kCapas].vt = VT_EMPTY; }, AutomationError},
        // The platform passes the address of the argument's own value: the dialog works on it as usual.
        {"an array by value",
         [](auto& a, Spares& s) { a[kX].vt = VT_ARRAY | VT_R8, a[kX].parray = *spare(s, VT_R8, 0, 7); },
         DialogOpens},
        {"the dialog's kind by value", [](auto& a, Spares&) { a[kTipo].vt = VT_I2, a[kTipo].iVal = 0; },
         DialogOpens},
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
        const bool boxed = bad.outcome != AutomationError && bad.outcome != DialogOpens;
        const Log boxes =
            callClosingDialogs([&] { result = invokeLate(*object_.get(), arguments); }, boxed ? 1 : 0);
        EXPECT_EQ(FAILED(result), bad.outcome == AutomationError) << std::hex << result;
        ASSERT_EQ(boxes.size(), boxed ? 1u : 0u) << (boxes.empty() ? "" : narrow(boxes[0]));
        if (bad.outcome == TrapBox9 || bad.outcome == TrapBox13) {
            const std::wstring prefix = L"Orv_Pol_edit|Enfoca Pollilinea - Error n\u00ba " +
                                        std::wstring(bad.outcome == TrapBox9 ? L"9" : L"13") + L": ";
            EXPECT_EQ(boxes[0].substr(0, prefix.size()), prefix) << narrow(boxes[0]);
        }
        if (boxed) {
            EXPECT_TRUE(boxes[0].ends_with(L"|critical|1")) << narrow(boxes[0]);
        }
        if (bad.outcome == DialogOpens) {
            ASSERT_FALSE(log_.empty());
            EXPECT_EQ(log_.back(), L"A CancelarEnfoca()");
        } else {
            for (const std::wstring& event : log_) EXPECT_EQ(event, L"A CancelarEnfoca()") << "nothing opens";
        }
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
    const wchar_t text[] = L"abc";
    const BYTE twoBytes[] = {1, 2};
    // Left, top, width and height as whole numbers; the first round stores values of the wrong type and size.
    const DWORD rounds[][4] = {{0, 0, 0, 0},
                               {0x80000000, 0x80000000, 0, 0},
                               {0x80000000, 0x7FFFFFFF, 9000, 6000},
                               {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
                               {0xFFFFFFFF, 0xFFFFFFFF, 1, 1}};
    Subscription a(object_.get(), first_);
    for (int round = 0; round <= std::ssize(rounds); ++round) {
        SCOPED_TRACE(round);
        PlacementKey key;
        for (const wchar_t* path : {L"Enfoca Polilineas\\enfoca", L"Editar Polil\u00edneas\\EditarPol"}) {
            if (round == 0) {
                key.set(path, L"Left", REG_SZ, text, sizeof text);
                key.set(path, L"Top", REG_BINARY, twoBytes, sizeof twoBytes);
            } else if (round < std::ssize(rounds)) {
                for (int i = 0; i < 4; ++i)
                    key.set(path, std::array{L"Left", L"Top", L"Width", L"Height"}[i], REG_DWORD,
                            &rounds[round][i], sizeof(DWORD));
            }
        }
        if (round == std::ssize(rounds)) key.refuseWrites();
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
                ui.check(IntersectRect(&both, &shown, &screen) && shown.right - shown.left > 40 &&
                             shown.bottom - shown.top > 40,
                         "the dialog stands on the screen at a usable size");
                ui.press(VK_ESCAPE);
                ui.waitUntilGone(dialog);
            });
            EXPECT_EQ(drawing.pasaDatos(*object_.get()), S_OK);
            for (const std::string& failure : driver.finish()) ADD_FAILURE() << failure;
            for (const std::wstring& box : watcher.boxes()) std::printf("box: %s\n", narrow(box).c_str());
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
