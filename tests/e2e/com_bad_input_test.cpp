// Late-bound calls with arguments of the wrong kind: each gets an automation error or the component's box
// (or, where the platform hands the value over as it would a reference, the dialog); the host's variables
// stay as they were and the process goes on.
#include <atomic>
#include <list>

#include "com_test_host.h"
#include "ui_driver.h"

namespace orv::e2e {
namespace {

// Arrays a case hands over instead of the host's, owned by the case.
using Spares = std::list<HostArray>;

SAFEARRAY** spare(Spares& spares, VARTYPE type, LONG lower, ULONG count) {
    return spares.emplace_back(type, lower, count).address();
}

// Argument positions as DISPPARAMS holds them: the last parameter first.
constexpr int kVertP = 3, kCapas = 5, kNombre = 9, kZ = 10, kY = 11, kX = 12, kNuput = 13, kfrm1 = 15,
              kTipo = 16;

using BadInput = RealServer;

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
    static EventLog ignored;
    static EventSink sink(ignored, L"");
    static IDispatch* noForm = &sink;  // a dispatch object with neither a window nor hWnd
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
        {"two dimensions",
         [](auto& a, Spares& s) {
             SAFEARRAYBOUND bounds[2] = {{4, 1}, {2, 0}};
             *(a[kVertP].pparray = s.emplace_back().address()) = SafeArrayCreate(VT_I4, 2, bounds);
         },
         TrapBox13},
        {"no vertex array", [](auto& a, Spares&) { a[kVertP].pparray = &noArray; }, TrapBox9},
        {"no point array", [](auto& a, Spares&) { a[kY].pparray = &noArray; }, TrapBox9},
        {"a null reference to an array", [](auto& a, Spares&) { a[kZ].pparray = nullptr; }, AutomationError},
        {"vertices below subscript 2", [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, -5, 3); },
         DialogRefuses},
        {"vertex bounds past the top of the range",
         [](auto& a, Spares& s) { a[kVertP].pparray = spare(s, VT_I4, 0x7FFFFFF0, 32); }, DialogRefuses},
        {"points at the bottom of the range",
         [](auto& a, Spares& s) { a[kX].pparray = spare(s, VT_R8, -0x7FFFFFFF - 1, 4); }, TrapBox9},
        {"one argument missing", [](auto& a, Spares&) { a.erase(a.begin()); }, AutomationError},
        {"a text for a number", [](auto& a, Spares&) { a[kNuput].vt = VT_BSTR, a[kNuput].bstrVal = text; },
         AutomationError},
        {"nothing for an array", [](auto& a, Spares&) { a[kCapas].vt = VT_EMPTY; }, AutomationError},
        // The platform passes the address of the argument's own value: the dialog works on it as usual.
        {"an array by value",
         [](auto& a, Spares& s) { a[kX].vt = VT_ARRAY | VT_R8, a[kX].parray = *spare(s, VT_R8, 0, 7); },
         DialogOpens},
        {"an object that is no form", [](auto& a, Spares&) { a[kfrm1].ppdispVal = &noForm; }, TrapBox13},
        {"the dialog's kind by value", [](auto& a, Spares&) { a[kTipo].vt = VT_I2, a[kTipo].iVal = 0; },
         DialogOpens},
    };
    for (const BadCall& bad : cases) {
        SCOPED_TRACE(bad.what);
        Subscription a(object_.get(), &first_);
        HostDrawing drawing;
        const std::wstring before = drawing.fingerprint();
        std::vector<VARIANTARG> arguments = drawing.byReferenceArguments();
        Spares spares;
        bad.bend(arguments, spares);
        HRESULT result = S_OK;
        const bool boxed = bad.outcome != AutomationError && bad.outcome != DialogOpens;
        // A user answers the boxes the call brings and closes whatever dialog opens.
        std::atomic<bool> returned{false};
        const Log boxes = runWithUser(
            [&](UiDriver& ui) {
                ui.answerBoxes(boxed ? 1 : 0, 5000);
                ui.waitUntil(
                    [&] {
                        return returned || IsWindowVisible(FindWindowW(nullptr, kFocusCaption.c_str())) ||
                               IsWindowVisible(FindWindowW(nullptr, kEditorCaption.c_str()));
                    },
                    "the call's end or its dialog");
            },
            [&] { result = invokePasaDatos(*object_.get(), arguments), returned = true; });
        EXPECT_EQ(FAILED(result), bad.outcome == AutomationError) << std::hex << result;
        ASSERT_EQ(boxes.size(), boxed ? 1u : 0u) << (boxes.empty() ? "" : narrow(boxes[0]));
        if (bad.outcome == TrapBox9 || bad.outcome == TrapBox13) {
            const std::wstring prefix = L"Orv_Pol_edit|Enfoca Pollilinea - Error n\u00ba " +
                                        std::wstring(bad.outcome == TrapBox9 ? L"9" : L"13") + L": ";
            EXPECT_EQ(boxes[0].substr(0, prefix.size()), prefix) << narrow(boxes[0]);
        }
        EXPECT_TRUE(!boxed || boxes[0].ends_with(L"|critical|1")) << (boxed ? narrow(boxes[0]) : "");
        // Nothing opens, or what opens closes as usual.
        const Log events = log_.entries();
        for (const std::wstring& event : events)
            EXPECT_TRUE(event == L"A CancelarEnfoca()" || bad.outcome == DialogOpens) << narrow(event);
        EXPECT_TRUE(bad.outcome != DialogOpens ||
                    (!events.empty() && events.back() == L"A CancelarEnfoca()"));
        log_.clear();
        EXPECT_EQ(drawing.fingerprint(), before);
    }
}

}  // namespace
}  // namespace orv::e2e
