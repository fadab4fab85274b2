// Refusals and failures decided before anything changes: one message, and the dialog stays on what it showed.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "automation/automation_error.h"
#include "collaborators/plain_number_converter.h"
#include "support/drawing.h"
#include "support/failing_placement_store.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

// The plain converter, failing on demand: NumberToText of one value, or every TextToNumber with a failure
// that is not an automation error.
class PickyConverter : public collaborators::NumberTextConverter {
  public:
    std::optional<double> failOn;
    bool failReading = false;
    double TextToNumber(const Text& text) override {
        if (failReading) throw std::out_of_range("reading");
        return plain_.TextToNumber(text);
    }
    Text NumberToText(double value, int16_t decimals, int16_t mode) override {
        if (failOn == value) throw automation::AutomationError(13, u"No coinciden los tipos", u"Conversor");
        return plain_.NumberToText(value, decimals, mode);
    }

  private:
    collaborators::PlainNumberConverter plain_;
};

std::string refusal(const std::string& text) {
    return text + " | 16 | Orv_Pol_edit";
}

TEST(FocusDialogAllOrNothing, FailedVertexOrPolylineSetUpLeavesTheDialogAsItWasAndCaptureTrapsEveryFailure) {
    RecordingHost host;
    auto owned = std::make_unique<PickyConverter>();
    PickyConverter& converter = *owned;
    host.services().setConverter(std::move(owned));
    Events failed;
    host.script([&](ui::Form& form) {
        const std::string vertex = shown(form);
        const std::string polyline = polylineShown(form);
        host.clearEvents();
        converter.failOn = 2008.5;  // Y of point 4
        type(form, "txtVert", "4");
        EXPECT_EQ(shown(form), vertex);
        converter.failOn = 1004.125;  // X of point 4, the first vertex of polyline 2
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form), polyline);
        EXPECT_EQ(shown(form), vertex);
        failed = host.events();

        converter.failOn.reset();
        host.clearEvents();
        type(form, "txtVert", "4");
        EXPECT_EQ(shown(form), "vértice 4 punto 4: P4 1004.125 2008.500 101.333 C4 capa 4");
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
        converter.failReading = true;
        click(form, "cmdAceptar");
    });
    host.open(0);
    const std::string colour = std::to_string(sampleColour(1));
    EXPECT_EQ(failed, (Events{"newPolCambiala(2, [1 2 3 4 5], 1, 3, " + colour + ")"}));
    const std::string error = "Error nº 13: No coinciden los tipos | 16 | Conversor";
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{
                  error, error, refusal("Aceptar - Error nº  9:El subíndice está fuera del intervalo")}));
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.events()[3], "EnfocaPol(5, 5, 1, [1 2 3 4 5], 1, 3, " + colour + ")");
    EXPECT_EQ(host.edits()[0].X(4), 1004.125);
    EXPECT_EQ(host.edits()[0].Código.get(4), u"C4");
}

TEST(FocusDialogAllOrNothing, RefusedPolylineKeepsTheDialogOnTheOneShownAndTheSameArrowStepsPastIt) {
    RecordingHost host;
    bool shortThree = true;
    host.onNewPolCambiala = [&](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& acolpol) {
        if (aPolN == 3 && shortThree) aVertP = longArray({4});
        if (aPolN != 2) return;
        aVertP = longArray({50, 1});
        acapP = 2;
        aNoPoli = 9;
        acolpol = 7;
    };
    host.script([&](ui::Form& form) {
        const std::string vertex = shown(form);
        const std::string polyline = polylineShown(form);
        click(form, "cmdAvP", 0);  // polyline 3: a single vertex
        EXPECT_EQ(polylineShown(form), polyline);
        click(form, "cmdAvP", 1);  // polyline 2: starts on a point outside the drawing
        EXPECT_EQ(polylineShown(form), polyline);
        EXPECT_EQ(shown(form), vertex);
        EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), sampleColour(1));
        click(form, "cmdAceptar");
        shortThree = false;
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form), "polilínea 3 /3 [3 Polilíneas |Polilínea 3|Vértice 7| /7] capa 3");
    });
    host.open(0);
    EXPECT_EQ(host.boxes(),
              (std::vector<std::string>{
                  refusal("La polilínea 3 tiene menos de 2 vértices y no se puede mostrar."),
                  refusal("El vértice 1 de la polilínea 2 remite al punto 50, que no está en el dibujo.")}));
    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].PolN, 1);
    EXPECT_EQ(describe(host.edits()[0].nVer), "[1 2 3 4 5]");
    EXPECT_EQ(host.edits()[0].capP, 1);
    EXPECT_EQ(host.edits()[0].NoPoli, 3);
    EXPECT_EQ(host.edits()[0].colPol, sampleColour(1));
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 1);
}

TEST(FocusDialogAllOrNothing, EveryCloseReachesTheHostWhenTheStoreFails) {
    for (const int close : {0, 1, 2}) {
        RecordingHost host;
        host.services().setPlacementStore(std::make_unique<FailingPlacementStore>(
            automation::AutomationError(70, u"Permiso denegado", u"Orv.Ubicaciones")));
        host.script([&](ui::Form& form) {
            host.clearEvents();
            if (close == 0) form.userCloses();
            if (close == 1) form.userPressesEscape();
            if (close == 2) click(form, "cmdCancelar");
        });
        host.open(0);
        EXPECT_EQ(host.boxes(),
                  (std::vector<std::string>{"Error nº 70: Permiso denegado | 16 | Orv.Ubicaciones"}));
        EXPECT_EQ(host.events(), close == 0 ? (Events{"CancelarEnfoca()"})
                                            : (Events{"CancelarEnfoca()", "CancelarEnfoca()"}));
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
    }
}

TEST(FocusDialogAllOrNothing, LayerWarningOncePerPointAndOversizedNumbersAreSetBack) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos(2) = 7;
    RecordingHost host{std::move(drawing)};
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtVert", "1");
        type(form, "txtVert", "2");
        type(form, "txtVert", "99999999999");
        EXPECT_EQ(text(form, "txtVert"), "2");
        control<ui::TextBox>(form, "txPolis").userTypes(u"1e12");
        click(form, "cmdAvP", 1);
        EXPECT_EQ(text(form, "txPolis"), "1");
        host.clearEvents();
        click(form, "cmdAv", 1);
        click(form, "cmdAvP", 1);
        EXPECT_EQ(text(form, "txPolis"), "2");
    });
    host.open(0);
    EXPECT_EQ(
        host.boxes(),
        (std::vector<std::string>{
            refusal("La capa 7 del punto 2 no está en la lista de capas; el punto la conserva mientras no "
                    "se le elija otra."),
            refusal("El número de vértice «99999999999» no cabe en un entero de 32 bits."),
            refusal("El número de polilínea «1e12» no cabe en un entero de 32 bits.")}));
    EXPECT_EQ(host.events()[0], "EnfocaPuntito(3, 1)");
}

}  // namespace
}  // namespace orv::test
