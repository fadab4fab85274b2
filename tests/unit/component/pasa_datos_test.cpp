// PasaDatos: which dialog it opens, what it hands over, and what its trap reports.
#include <gtest/gtest.h>

#include <new>

#include "automation/standard_errors.h"
#include "support/host_objects.h"
#include "support/recording_host.h"
#include "support/test_dialog_factory.h"

namespace orv::test {
namespace {

using automation::AutomationError;

struct PasaDatosTest : ::testing::Test {
    TestDialogFactory dialogs;
    RecordingHost host{sampleDrawing(/*points=*/10, /*vertices=*/5), &dialogs};
};

TEST_F(PasaDatosTest, TipoZeroOpensTheFocusDialogAndAnyOtherTheEditor) {
    for (int16_t Tipo : {0, -1, 1, 2, 0}) host.open(Tipo);
    EXPECT_EQ(dialogs.made(),
              (std::vector<DialogKind>{DialogKind::Focus, DialogKind::Editor, DialogKind::Editor,
                                       DialogKind::Editor, DialogKind::Focus}));
    EXPECT_EQ(dialogs.alive(), 0) << "each dialog is released when its PasaDatos returns";
    EXPECT_TRUE(host.boxes().empty());
}

TEST_F(PasaDatosTest, TheFocusDialogGetsCopiesOfTheCountsAndTheHostsOtherVariables) {
    Drawing& d = host.drawing();
    d.frm1 = hostForm();
    d.PtoEnfo = 42;
    dialogs.onNextFocus([&](TestDialog& dialog) {
        const TestDialog::Received& r = dialog.received;
        EXPECT_EQ(r.frmValue, d.frm1);
        EXPECT_EQ(r.PtoEnfoca, 42);
        EXPECT_NE(r.nPtos, &d.Nuput);
        EXPECT_EQ(*r.nPtos, 10);
        EXPECT_NE(r.NoPoli, &d.NoPoli);
        EXPECT_EQ(*r.NoPoli, 3);
        const std::vector<const void*> byReference{r.X,      r.Y,          r.Z,       r.Nombre,
                                                   r.Código, r.CapaPuntos, r.noCapas, r.Capas,
                                                   r.PolN,   r.VertP,      r.capP,    r.colPol};
        const std::vector<const void*> hostVariables{&d.X,      &d.Y,          &d.Z,       &d.Nombre,
                                                     &d.Código, &d.CapaPuntos, &d.noCapas, &d.Capas,
                                                     &d.PolN,   &d.VertP,      &d.capP,    &d.Polcol};
        EXPECT_EQ(byReference, hostVariables);
        // Writing the copies leaves the host's count and polyline count alone (checked by the host after the
        // call).
        *r.nPtos = 77;
        *r.NoPoli = 99;
    });
    const auto form = d.frm1;
    host.open(0);
    EXPECT_EQ(d.frm1, form) << "the same form is stored back";
}

TEST_F(PasaDatosTest, TheEditorGetsTheHostsPointCountByReference) {
    int32_t* nPtos = nullptr;
    dialogs.onNextEditor([&](TestDialog& dialog) { nPtos = dialog.received.nPtos; });
    host.open(1);
    EXPECT_EQ(nPtos, &host.drawing().Nuput);
}

TEST_F(PasaDatosTest, TheFormTheDialogLeavesIsStoredBackIntoFrm1) {
    host.checksDrawingUntouched = false;
    const auto other = hostForm();
    dialogs.onNextFocus([&](TestDialog& dialog) { *dialog.received.frm = other; });
    host.open(0);
    EXPECT_EQ(host.drawing().frm1, other);
}

TEST_F(PasaDatosTest, AnObjectThatIsNoFormIsATypeMismatchAndNoDialogRuns) {
    host.drawing().frm1 = notAForm();
    bool ran = false;
    dialogs.onNextFocus([&](TestDialog&) { ran = true; });
    host.open(0);
    EXPECT_FALSE(ran);
    EXPECT_TRUE(host.events().empty());
    EXPECT_EQ(host.boxes(),
              (Events{"Enfoca Pollilinea - Error nº 13: No coinciden los tipos | 16 | Orv_Pol_edit"}));
    EXPECT_FALSE(host.component().dialogOpen());
    // The reference keeps the dialog it made until the next call replaces it.
    EXPECT_EQ(dialogs.alive(), 1);
    host.drawing().frm1 = nullptr;
    host.open(0);
    EXPECT_EQ(dialogs.alive(), 0);
    EXPECT_EQ(dialogs.made().size(), 2u);
}

struct EntryError {
    AutomationError error;
    std::string box;
};

class PasaDatosTrapTest : public PasaDatosTest, public ::testing::WithParamInterface<EntryError> {};

TEST_P(PasaDatosTrapTest, AnErrorOfTheDialogsIntakeIsReportedOnceAndPasaDatosReturns) {
    for (int16_t Tipo : {0, 1}) {
        host.toolkit().clearMessageBoxes();
        host.clearEvents();
        auto fail = [&](TestDialog& dialog) {
            dialog.raiseNewPolCambia();  // set-up events arrive before the failure
            throw GetParam().error;
        };
        Tipo == 0 ? dialogs.onNextFocus(fail) : dialogs.onNextEditor(fail);
        host.open(Tipo);
        EXPECT_EQ(host.boxes(), (Events{GetParam().box})) << "Tipo " << Tipo;
        EXPECT_EQ(host.events(), (Events{"newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)"}));
        EXPECT_FALSE(host.component().dialogOpen());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, PasaDatosTrapTest,
    ::testing::Values(
        EntryError{
            automation::standardError(9),
            "Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo | 16 | Orv_Pol_edit"},
        EntryError{automation::standardError(6),
                   "Enfoca Pollilinea - Error nº 6: Desbordamiento | 16 | Orv_Pol_edit"},
        EntryError{AutomationError(1004, u"Fallo del anfitrión", u"HostApp"),
                   "Enfoca Pollilinea - Error nº 1004: Fallo del anfitrión | 16 | HostApp"}));

TEST_F(PasaDatosTest, FailuresThatAreNoAutomationErrorAreReportedAsThePlatformWould) {
    dialogs.onNextFocus([](TestDialog&) { throw std::bad_alloc(); });
    dialogs.onNextEditor([](TestDialog&) { throw std::logic_error("unexpected"); });
    host.open(0);
    host.open(1);
    EXPECT_EQ(host.boxes(),
              (Events{"Enfoca Pollilinea - Error nº 7: Memoria insuficiente | 16 | Orv_Pol_edit",
                      "Enfoca Pollilinea - Error nº 5: Llamada a procedimiento o argumento no válidos | 16 | "
                      "Orv_Pol_edit"}));
}

TEST_F(PasaDatosTest, ADialogThatCannotBeCreatedIsReported) {
    dialogs.createError = automation::standardError(7);
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (Events{"Enfoca Pollilinea - Error nº 7: Memoria insuficiente | 16 | Orv_Pol_edit"}));
    EXPECT_TRUE(dialogs.made().empty());
}

}  // namespace
}  // namespace orv::test
