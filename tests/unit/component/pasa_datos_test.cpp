// PasaDatos: which dialog it opens, what it hands over, and what its trap reports.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <tuple>

#include "automation/standard_errors.h"
#include "support/host_objects.h"
#include "support/recording_host.h"
#include "support/test_dialog_factory.h"

namespace orv::test {
namespace {

using automation::AutomationError;

struct PasaDatosTest : ::testing::Test {
    TestDialogFactory dialogs;
    RecordingHost host{sampleDrawing(), &dialogs};
};

TEST_F(PasaDatosTest, TipoZeroOpensTheFocusDialogWithCopiesOfTheCountsAnyOtherTheEditorWithTheHostsCount) {
    Drawing& d = host.drawing();
    d.frm1 = hostForm();
    d.PtoEnfo = 42;
    const auto form = d.frm1;
    dialogs.onNextFocus([&](TestDialog& dialog) {
        const TestDialog::Received& r = dialog.received;
        EXPECT_EQ(std::make_tuple(r.frmValue, r.PtoEnfoca, *r.nPtos, *r.NoPoli),
                  std::make_tuple(form, 42, 10, 3));
        const std::vector<const void*> byReference{r.X,      r.Y,          r.Z,       r.Nombre,
                                                   r.Código, r.CapaPuntos, r.noCapas, r.Capas,
                                                   r.PolN,   r.VertP,      r.capP,    r.colPol};
        const std::vector<const void*> hostVariables{&d.X,      &d.Y,          &d.Z,       &d.Nombre,
                                                     &d.Código, &d.CapaPuntos, &d.noCapas, &d.Capas,
                                                     &d.PolN,   &d.VertP,      &d.capP,    &d.Polcol};
        EXPECT_EQ(byReference, hostVariables);
        // Writing the copies leaves the host's counts alone (the host checks its drawing after the call).
        *r.nPtos = 77;
        *r.NoPoli = 99;
    });
    int32_t* editorCount = nullptr;
    dialogs.onNextEditor([&](TestDialog& dialog) { editorCount = dialog.received.nPtos; });
    for (int16_t Tipo : {0, -1, 1, 2}) host.open(Tipo);
    using enum DialogKind;
    EXPECT_EQ(dialogs.made(), (std::vector<DialogKind>{Focus, Editor, Editor, Editor}));
    // The same form is stored back, and each dialog is released when its PasaDatos returns.
    EXPECT_EQ(std::make_tuple(editorCount, d.frm1, dialogs.alive(), host.boxes().empty(),
                              host.component().dialogOpen()),
              std::make_tuple(&d.Nuput, form, 0, true, false));

    host.checksDrawingUntouched = false;
    const auto other = hostForm();
    dialogs.onNextFocus([&](TestDialog& dialog) {
        EXPECT_TRUE(host.component().dialogOpen());
        *dialog.received.frm = other;
    });
    host.open(0);
    EXPECT_EQ(d.frm1, other) << "the form the dialog leaves is stored back";
}

TEST_F(PasaDatosTest, AnObjectThatIsNoFormIsATypeMismatchAndNoDialogRuns) {
    host.drawing().frm1 = notAForm();
    bool ran = false;
    dialogs.onNextFocus([&](TestDialog&) { ran = true; });
    host.open(0);
    EXPECT_FALSE(ran || !host.events().empty());
    EXPECT_EQ(host.boxes(),
              (Events{"Enfoca Pollilinea - Error nº 13: No coinciden los tipos | 16 | Orv_Pol_edit"}));
    EXPECT_FALSE(host.component().dialogOpen());
    // The reference keeps the dialog it made until the next call replaces it.
    EXPECT_EQ(dialogs.alive(), 1);
    host.drawing().frm1 = nullptr;
    host.open(0);
    EXPECT_EQ(dialogs.alive() + dialogs.made().size(), 2u);
}

TEST_F(PasaDatosTest, AnyFailureOfTheDialogsIntakeIsReportedOnceAsThePlatformWouldAndPasaDatosReturns) {
    const std::string memory = "7: Memoria insuficiente", range = "9: El subíndice está fuera del intervalo";
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[] { throw automation::standardError(9); }, range},
        {[] { throw AutomationError(1004, u"Fallo del anfitrión", u"HostApp"); },
         "1004: Fallo del anfitrión"},
        {[] { throw std::bad_alloc(); }, memory},
        {[] { throw std::length_error("l"); }, memory},
        {[] { throw std::out_of_range("o"); }, range},
        {[] { throw std::overflow_error("o"); }, "6: Desbordamiento"},
        {[] { throw std::range_error("r"); }, "6: Desbordamiento"},
        {[] { throw std::logic_error("l"); }, "5: Llamada a procedimiento o argumento no válidos"},
    };
    for (const auto& [fail, box] : cases) {
        for (int16_t Tipo : {0, 1}) {
            host.toolkit().clearMessageBoxes();
            host.clearEvents();
            auto script = [&](TestDialog& dialog) {
                dialog.raiseNewPolCambia();  // set-up events arrive before the failure
                fail();
            };
            Tipo == 0 ? dialogs.onNextFocus(script) : dialogs.onNextEditor(script);
            host.open(Tipo);
            EXPECT_EQ(host.boxes(), (Events{"Enfoca Pollilinea - Error nº " + box + " | 16 | " +
                                            (box.starts_with("1004") ? "HostApp" : "Orv_Pol_edit")}))
                << "Tipo " << Tipo;
            EXPECT_EQ(host.events(), (Events{"newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)"}));
            EXPECT_FALSE(host.component().dialogOpen());
        }
    }
    host.toolkit().clearMessageBoxes();
    dialogs.createError = automation::standardError(7);
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (Events{"Enfoca Pollilinea - Error nº 7: Memoria insuficiente | 16 | Orv_Pol_edit"}));
}

}  // namespace
}  // namespace orv::test
