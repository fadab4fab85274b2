// Opening the focus dialog: the copies, the load, the set-up's fields and captions, its two events.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"
#include "unit/focus_dialog/spy_placement_store.h"

namespace orv::test {
namespace {

using namespace focus;

constexpr char16_t kSection[] = u"Enfoca Polilineas";
constexpr char16_t kKey[] = u"enfoca";

TEST(FocusDialogIntake, SetUpShowsVertexOneAndTellsTheHostPolylineThenPoint) {
    RecordingHost host{sampleDrawing(10, 5)};
    std::string vertex, polyline;
    int32_t colour = 0;
    host.script([&](ui::Form& form) {
        vertex = shown(form);
        polyline = polylineShown(form);
        colour = control<ui::CommandButton>(form, "cmdColor").backColor();
    });
    host.open(0);
    EXPECT_EQ(vertex, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
    EXPECT_EQ(polyline, "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1");
    EXPECT_EQ(colour, sampleColour(1));
    const std::string announced =
        "newPolCambiala(1, [1 2 3 4 5], 1, 3, " + std::to_string(sampleColour(1)) + ")";
    EXPECT_EQ(host.events(), (Events{announced, "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
}

TEST(FocusDialogIntake, TwoVertexPolylineAndVertexListFromZero) {
    DrawingShape shape;
    shape.vertices = 2;
    shape.vertexLower = 0;  // VertP(0) holds a decoy that must not be read
    RecordingHost host{sampleDrawing(shape)};
    std::string vertex, polyline;
    host.script([&](ui::Form& form) {
        vertex = shown(form);
        polyline = polylineShown(form);
    });
    host.open(0);
    EXPECT_EQ(vertex, "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
    EXPECT_EQ(polyline, "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 2| /2] capa 1");
}

TEST(FocusDialogIntake, WindowIsTheDesignedFixedToolWindow) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        EXPECT_EQ(form.caption(), u"Enfoca y edita Polilineas");
        EXPECT_EQ(form.border(), ui::BorderStyle::FixedToolWindow);
        EXPECT_EQ(form.height(), 5355);
        EXPECT_EQ(form.clientWidth(), 3030);
        for (const char* button : {"cmdAceptar", "cmdCancelar", "cmdRedibuja"})
            EXPECT_EQ(form.find(button)->top(), 4410) << button;
        std::vector<std::string> order;
        for (ui::Control* c : form.tabOrder()) {
            std::string name = c->name();
            if (c->index() >= 0) name += '(' + std::to_string(c->index()) + ')';
            order.push_back(name);
        }
        EXPECT_EQ(order, (std::vector<std::string>{"cmdCancelar", "cmdAceptar", "txPolis",     "cmdAvP(1)",
                                                   "cmdAvP(0)",   "cmdAv(0)",   "cmdAv(1)",    "txtVert",
                                                   "cmbCapaPol",  "cmdZm(1)",   "cmdZm(0)",    "txtN",
                                                   "txtNom",      "txtX",       "txtY",        "txtZ",
                                                   "txtcod",      "cmbCapa",    "cmdRedibuja", "cmdColor"}));
        EXPECT_EQ(form.focus(), form.find("cmdCancelar"));
        EXPECT_TRUE(control<ui::CommandButton>(form, "cmdCancelar").isCancel());
        EXPECT_TRUE(control<ui::CommandButton>(form, "cmdColor").graphical());
        EXPECT_EQ(caption(form, "cmdColor"), " ");
        // "-" stands left of "+"; the tooltips say which is which.
        EXPECT_LT(form.find("cmdZm", 1)->left(), form.find("cmdZm", 0)->left());
        EXPECT_EQ(form.find("cmdZm", 0)->toolTip(), u"Amplia el dibujo");
        EXPECT_EQ(form.find("cmdZm", 1)->toolTip(), u"Reduce el dibujo");
        EXPECT_EQ(form.find("cmdAceptar")->toolTip(), u"Captura gráficamente otro punto");
        EXPECT_EQ(form.find("cmdRedibuja")->toolTip(), u"Aplica los cambios y redibuja");
        EXPECT_EQ(form.find("txtVert")->parent(), form.find("fraPoli"));
        EXPECT_EQ(form.find("cmdZm", 0)->parent(), form.find("Frame1"));
        for (const char* bold : {"fraPuntos", "fraPoli", "fraVert", "txPolis", "labPolis"})
            EXPECT_TRUE(form.find(bold)->bold()) << bold;
        EXPECT_TRUE(form.find("cmdAvP", 0)->bold());
        EXPECT_FALSE(form.find("cmdAv", 0)->bold());
    });
    host.open(0);
}

TEST(FocusDialogIntake, LayerZeroLeavesTheListsWithoutSelection) {
    Drawing drawing = sampleDrawing();
    drawing.CapaPuntos(1) = 0;
    drawing.capP = 0;
    RecordingHost host{std::move(drawing)};
    int32_t pointLayer = -1, polylineLayer = -1;
    host.script([&](ui::Form& form) {
        pointLayer = layerShown(form, "cmbCapa");
        polylineLayer = layerShown(form, "cmbCapaPol");
    });
    host.open(0);
    EXPECT_EQ(pointLayer, 0);
    EXPECT_EQ(polylineLayer, 0);
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(FocusDialogIntake, NoLayersGiveEmptyListsAndTheDialogOpens) {
    Drawing drawing = sampleDrawing();
    drawing.noCapas = 0;
    for (int32_t p = 0; p <= drawing.Nuput; ++p) drawing.CapaPuntos(p) = 0;
    drawing.capP = 0;
    RecordingHost host{std::move(drawing)};
    size_t items = 99;
    host.script([&](ui::Form& form) {
        items = control<ui::ComboBox>(form, "cmbCapa").items().size() +
                control<ui::ComboBox>(form, "cmbCapaPol").items().size();
    });
    host.open(0);
    EXPECT_EQ(items, 0u);
    EXPECT_EQ(host.events().front().substr(0, 15), "newPolCambiala(");
}

TEST(FocusDialogIntake, EachSetUpRefillsBothLayerListsWithExactlyNoCapasEntries) {
    RecordingHost host;
    std::vector<Text> pointList, polylineList;
    host.script([](ui::Form& form) { click(form, "cmdAvP", 1); });
    host.script([](ui::Form& form) { click(form, "cmdAvP", 1); });
    host.script([&](ui::Form& form) {
        pointList = control<ui::ComboBox>(form, "cmbCapa").items();
        polylineList = control<ui::ComboBox>(form, "cmbCapaPol").items();
    });
    host.open(0);
    const std::vector<Text> layers = {u"Capa 1", u"Capa 2", u"Capa 3", u"Capa 4"};
    EXPECT_EQ(pointList, layers);
    EXPECT_EQ(polylineList, layers);
}

TEST(FocusDialogIntake, PlacementIsRestoredBeforeAnyFieldIsFilled) {
    RecordingHost host;
    auto spy = std::make_unique<SpyPlacementStore>(host.services().placements());
    SpyPlacementStore& calls = *spy;
    host.services().setPlacementStore(std::move(spy));
    host.script([](ui::Form& form) { click(form, "cmdAvP", 1); });
    host.open(0);
    EXPECT_EQ(
        calls.calls,
        (std::vector<std::string>{
            "RestorePlacement(Enfoca Polilineas, enfoca) at vértice 1 punto 1: 1 0.000 0.000 0.00   capa 0",
            "StorePlacement(Enfoca Polilineas, enfoca) at vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 "
            "capa 4"}));
}

TEST(FocusDialogIntake, ReopensWherePlacedAtHeight5355) {
    RecordingHost host;
    host.services().placements().store(kSection, kKey, {600, 900, 5000, 8000});
    collaborators::Placement seen{};
    host.script([&](ui::Form& form) {
        seen = {form.left(), form.top(), form.width(), form.height()};
        form.setLeft(1500);
    });
    host.open(0);
    EXPECT_EQ(seen.left, 600);
    EXPECT_EQ(seen.top, 900);
    EXPECT_EQ(seen.height, 5355);
    EXPECT_EQ(seen.width, 3030 + ui::HeadlessToolkit::kFrameHorizontal);  // moved, not sized, by the restore
    ASSERT_NE(host.services().placements().stored(kSection, kKey), nullptr);
    EXPECT_EQ(host.services().placements().stored(kSection, kKey)->left, 1500);

    host.script([&](ui::Form& form) { seen = {form.left(), form.top(), form.width(), form.height()}; });
    host.open(0);
    EXPECT_EQ(seen.left, 1500);
    EXPECT_EQ(seen.height, 5355);
}

}  // namespace
}  // namespace orv::test
