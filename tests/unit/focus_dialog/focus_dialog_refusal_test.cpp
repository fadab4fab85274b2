// Data outside the dialog's limits and failing collaborators: a refusal is decided before anything changes,
// tells the user once, and leaves the dialog on what it showed.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "automation/automation_error.h"
#include "collaborators/plain_number_converter.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

TEST(FocusDialogRefusal, IntakeErrors) {
    // A short vertex list is refused and cancelled; a missing point, a missing list and too many layers are
    // errors that PasaDatos reports, and no dialog is shown. The most layers open it.
    struct Case {
        std::vector<int32_t> vertices;  // none: a list never dimensioned
        int32_t layers;
        std::string boxes, events;
    };
    const std::string range = "Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo";
    const Case cases[] = {
        {{3}, 4, "La polilínea 1 tiene menos de 2 vértices y no se puede mostrar.", "CancelarEnfoca()"},
        {{11, 1, 2}, 4, range, ""},  // the point arrays end at 10
        {{}, 4, range, ""},
        {{1, 2}, 32768, "Enfoca Pollilinea - Error nº 6: Desbordamiento", ""},
        {{1, 2}, 32767, "", "newPolCambiala(1, [1 2], 1, 3, 255); EnfocaPuntito(1, 1); CancelarEnfoca()"},
    };
    for (const Case& c : cases) {
        Drawing drawing = sampleDrawing();
        drawing.VertP = c.vertices.empty() ? LongArray() : longArray(c.vertices);
        drawing.noCapas = c.layers;
        drawing.Capas.redimPreserve(0, c.layers);
        RecordingHost host{std::move(drawing)};
        host.open(0);
        EXPECT_EQ(joined(host.boxes()), c.boxes.empty() ? "" : refusal(c.boxes));
        EXPECT_EQ(joined(host.events()), c.events) << c.boxes;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), c.boxes.empty()) << c.boxes;
    }
}

TEST(FocusDialogRefusal, VertexWithoutItsPointOrBeyondACountTheHostWroteIsRefusedAndTheArrowsStepPastIt) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos.redimPreserve(0, 8);  // point 9 lacks its layer
    drawing.polylines[0].vertices = {1, 2, 9};
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    host.onEnfocaPol = [](int32_t&, int32_t& nPtos, auto&&...) { nPtos = nPtos == 1 ? 0 : 1; };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Dos");
        host.clearEvents();
        // The fields, the vertex field too, stay with the point they show, and its edits are kept.
        type(form, "txtVert", "3");
        EXPECT_EQ(shown(form), "vértice 2 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
        click(form, "cmdAv", 1);
        EXPECT_EQ(shown(form), "vértice 2 punto 2: Dos 1002.125 2004.500 100.667 C2 capa 2");
        click(form, "cmdAv", 1);
        EXPECT_EQ(shown(form), kVertex1);
        EXPECT_EQ(joined(host.events()), "EnfocaPuntito(1, 1); EnfocaPuntito(1, 1)");
        // A vertex count the host writes: 1 leaves vertex 1 the last; below 1 there is no last vertex at all.
        click(form, "cmdAceptar");
        type(form, "txtVert", "3");
        EXPECT_EQ(text(form, "txtVert"), "1");
        click(form, "cmdAceptar");
        type(form, "txtVert", "3");
        click(form, "cmdAv", 0);
    });
    host.open(0);
    const std::string refused =
        refusal("El vértice 3 de la polilínea 1 remite al punto 9, que no está en el dibujo.");
    EXPECT_EQ(joined(host.boxes()), refused + "; " + refused + "; " +
                                        refusal("La polilínea 1 no tiene vértice 3.") + "; " +
                                        refusal("La polilínea 1 no tiene vértice 1."));
}

TEST(FocusDialogRefusal, FieldsOfAPointTheHostTookOutOfTheArraysAreNotStored) {
    RecordingHost host;
    host.onEnfocaPol = [](int32_t&, int32_t&, DoubleArray& X, auto&&...) { X.redimPreserve(0, 3); };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "4");
        click(form, "cmdAceptar");
        click(form, "cmdAv", 0);
    });
    host.open(0);
    // Once, though the arrow and the vertex change it sets off both try to store.
    EXPECT_EQ(joined(host.boxes()),
              refusal("Los datos del punto 4 no se pueden guardar: el punto ya no está en el dibujo."));
    EXPECT_EQ(host.events().at(host.events().size() - 2), "EnfocaPuntito(3, 1)");
}

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

TEST(FocusDialogAllOrNothing, FailedVertexOrPolylineSetUpLeavesTheDialogAsItWasAndCaptureTrapsEveryFailure) {
    RecordingHost host;
    auto owned = std::make_unique<PickyConverter>();
    PickyConverter& converter = *owned;
    host.services().setConverter(std::move(owned));
    host.script([&](ui::Form& form) {
        const std::string vertex = shown(form);
        const std::string polyline = polylineShown(form);
        host.clearEvents();
        converter.failOn = 2008.5;  // Y of point 4
        type(form, "txtVert", "4");
        EXPECT_EQ(shown(form), vertex);
        converter.failOn = 1004.125;  // X of point 4, the first vertex of polyline 2
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form) + shown(form), polyline + vertex);
        EXPECT_EQ(joined(host.events()), "newPolCambiala(2, [1 2 3 4 5], 1, 3, 255)");

        // Typed vertex numbers are taken again, and the next arrow stores point 4's own fields.
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
    const std::string error = "Error nº 13: No coinciden los tipos | 16 | Conversor; ";
    EXPECT_EQ(joined(host.boxes()),
              error + error + refusal("Aceptar - Error nº  9:El subíndice está fuera del intervalo"));
    EXPECT_EQ(host.events()[3], "EnfocaPol(5, 5, 1, [1 2 3 4 5], 1, 3, 255)");
    EXPECT_EQ(std::make_pair(host.edits().at(0).X(4), host.edits().at(0).Código.get(4)),
              std::make_pair(1004.125, Text(u"C4")));
}

TEST(FocusDialogAllOrNothing, RefusedPolylineKeepsTheDialogOnTheOneShownAndTheSameArrowStepsPastIt) {
    RecordingHost host;
    bool shortThree = true;
    host.onNewPolCambiala = [&](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                                int32_t& acolpol) {
        if (aPolN == 3 && shortThree) aVertP = longArray({4});
        if (aPolN != 2) return;
        aVertP = longArray({50, 1});
        acapP = 2, aNoPoli = 9, acolpol = 7;
    };
    host.script([&](ui::Form& form) {
        const std::string vertex = shown(form);
        const std::string polyline = polylineShown(form);
        click(form, "cmdAvP", 0);  // polyline 3: a single vertex
        EXPECT_EQ(polylineShown(form), polyline);
        click(form, "cmdAvP", 1);  // polyline 2: starts on a point outside the drawing
        EXPECT_EQ(polylineShown(form) + shown(form), polyline + vertex);
        EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 255);
        click(form, "cmdAceptar");
        shortThree = false;
        click(form, "cmdAvP", 1);  // the same arrow leads on past polyline 2
        EXPECT_EQ(polylineShown(form), "polilínea 3 /3 [3 Polilíneas |Polilínea 3|Vértice 7| /7] capa 3");
    });
    host.open(0);
    EXPECT_EQ(joined(host.boxes()),
              refusal("La polilínea 3 tiene menos de 2 vértices y no se puede mostrar.") + "; " +
                  refusal("El vértice 1 de la polilínea 2 remite al punto 50, que no está en el dibujo."));
    EXPECT_EQ(host.events()[4], "EnfocaPol(1, 5, 1, [1 2 3 4 5], 1, 3, 255)");
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 1);
}

TEST(FocusDialogAllOrNothing, LayerOutsideTheListsIsWarnedOnceAndKeptAndOversizedNumbersAreSetBack) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos(2) = 7;
    drawing.polylines[0].layer = -1;  // what the host hands over and answers for polyline 1
    drawing.select(1);
    RecordingHost host{std::move(drawing)};
    host.script([&](ui::Form& form) {
        for (const char* vertex : {"2", "1", "2"}) type(form, "txtVert", vertex);
        EXPECT_EQ(layerShown(form, "cmbCapa") + layerShown(form, "cmbCapaPol"), 0);
        host.clearEvents();
        type(form, "txtVert", "99999999999");
        EXPECT_EQ(text(form, "txtVert"), "2");
        type(form, "txPolis", "1e12");
        click(form, "cmdAvP", 1);
        EXPECT_EQ(text(form, "txPolis"), "1");
        EXPECT_EQ(host.events(), Events{});
        click(form, "cmdAv", 1);
        click(form, "cmdAceptar");
        type(form, "txPolis", "2147483647");
        host.clearEvents();
        click(form, "cmdAvP", 1);  // past the largest number: wraps to 1
        EXPECT_EQ(host.events().front(), "newPolCambiala(1, [1 2 3 4 5], -1, 3, 255)");
    });
    host.open(0);
    EXPECT_EQ(
        joined(host.boxes()),
        refusal("La capa -1 de la polilínea 1 no está en la lista de capas; la polilínea la conserva "
                "mientras no se le elija otra.") +
            "; " +
            refusal("La capa 7 del punto 2 no está en la lista de capas; el punto la conserva mientras no "
                    "se le elija otra.") +
            "; " + refusal("El número de vértice «99999999999» no cabe en un entero de 32 bits.") + "; " +
            refusal("El número de polilínea «1e12» no cabe en un entero de 32 bits."));

    ASSERT_EQ(host.edits().size(), 1u);
    EXPECT_EQ(host.edits()[0].CapaPuntos(2) * 10 + host.edits()[0].capP, 69);
}

}  // namespace
}  // namespace orv::test
