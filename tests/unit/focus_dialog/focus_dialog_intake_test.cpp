// Opening the focus dialog: the load, the set-up's fields, captions and layer lists, its two events, and the
// placement kept from one opening to the next.
#include <gtest/gtest.h>

#include "collaborators/memory_placement_store.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

TEST(FocusDialogIntake, SetUpShowsVertexOneThenTellsTheHostThePolylineAndThePoint) {
    DrawingShape shortest;
    shortest.vertices = 2;
    shortest.vertexLower = 0;  // VertP(0) holds a decoy that must not be read
    for (const Drawing& drawing : {sampleDrawing(), sampleDrawing(shortest)}) {
        const std::string count = std::to_string(drawing.VertP.ubound());
        RecordingHost host{drawing};
        host.script([&](ui::Form& form) {
            EXPECT_EQ(shown(form), kVertex1);
            EXPECT_EQ(polylineShown(form), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice " + count +
                                               "| /" + count + "] capa 1");
            EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 255);
            // The load sizes the window and moves the buttons, and the focus starts on "Cancelar".
            EXPECT_EQ(std::make_tuple(form.caption(), form.border(), form.height(), form.clientWidth(),
                                      form.find("cmdAceptar")->top(), form.find("cmdCancelar")->top(),
                                      form.find("cmdRedibuja")->top()),
                      std::make_tuple(Text(u"Enfoca y edita Polilineas"), ui::BorderStyle::FixedToolWindow,
                                      5355.f, 3030.f, 4410.f, 4410.f, 4410.f));
            std::string order;  // the focus order, with the buttons' captions
            for (ui::Control* c : form.tabOrder()) {
                auto* button = dynamic_cast<ui::CommandButton*>(c);
                // Appended piece by piece: GCC 12 at -O3 warns wrongly about chains of string +.
                order.append(c->name());
                if (c->index() >= 0) order.append("(").append(std::to_string(c->index())).append(")");
                if (button) order.append("\"").append(automation::toUtf8(button->caption())).append("\"");
                order.append(" ");
            }
            EXPECT_EQ(
                order,
                "cmdCancelar\"Cancelar\" cmdAceptar\"Capturar <<\" txPolis cmdAvP(1)\">\" cmdAvP(0)\"<\" "
                "cmdAv(0)\"<\" cmdAv(1)\">\" txtVert cmbCapaPol cmdZm(1)\"-\" cmdZm(0)\"+\" txtN txtNom txtX "
                "txtY txtZ txtcod cmbCapa cmdRedibuja\"Aplicar\" cmdColor\" \" ");
            EXPECT_LT(form.find("cmdZm", 1)->left(),
                      form.find("cmdZm", 0)->left());  // "-" stands left of "+"
            EXPECT_TRUE(form.focus() == form.find("cmdCancelar") &&
                        control<ui::CommandButton>(form, "cmdCancelar").isCancel());
        });
        host.open(0);
        EXPECT_EQ(host.events(), (Events{"newPolCambiala(1, " + describe(drawing.VertP) + ", 1, 3, 255)",
                                         "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
    }
}

TEST(FocusDialogIntake, EachSetUpRefillsBothLayerListsAndLayerZeroSelectsNone) {
    for (const int32_t layers : {4, 0}) {
        Drawing drawing = sampleDrawing();
        drawing.noCapas = layers;
        for (int32_t p = 0; p <= drawing.Nuput; ++p) drawing.CapaPuntos(p) = 0;
        drawing.capP = drawing.polylines[1].layer = 0;
        RecordingHost host{std::move(drawing)};
        host.script([&](ui::Form& form) {
            click(form, "cmdAvP", 1);  // polyline 2, on layer 0
            EXPECT_EQ(layerShown(form, "cmbCapa") + layerShown(form, "cmbCapaPol"), 0);
            for (const char* list : {"cmbCapa", "cmbCapaPol"})
                EXPECT_EQ(control<ui::ComboBox>(form, list).items().size(), layers ? 4u : 0u) << list;
        });
        host.open(0);
        EXPECT_EQ(host.boxes(), std::vector<std::string>{});
    }
}

// Notes what the dialog shows when its placement is restored: the designed texts, nothing of the drawing yet.
struct SpyPlacementStore : collaborators::MemoryPlacementStore {
    std::string atRestore;
    void RestorePlacement(ui::Form& form, const Text& section, const Text& key) override {
        atRestore = shown(form);
        MemoryPlacementStore::RestorePlacement(form, section, key);
    }
};

TEST(FocusDialogIntake, PlacementIsRestoredBeforeAnyFieldIsFilledMovingOnlyAndStoredAtTheClose) {
    RecordingHost host;
    auto owned = std::make_unique<SpyPlacementStore>();
    SpyPlacementStore& store = *owned;
    host.services().setPlacementStore(std::move(owned));
    store.store(u"Enfoca Polilineas", u"enfoca", {600, 900, 5000, 8000});
    host.script([&](ui::Form& form) {
        EXPECT_EQ(store.atRestore, "vértice 1 punto 1: 1 0.000 0.000 0.00   capa 0");
        EXPECT_EQ((collaborators::Placement{form.left(), form.top(), form.width(), form.height()}),
                  (collaborators::Placement{600, 900, 3030 + ui::HeadlessToolkit::kFrameHorizontal, 5355}));
        form.setLeft(1500);
    });
    host.open(0);
    host.script([&](ui::Form& form) { EXPECT_EQ(form.left(), 1500); });
    host.open(0);
}

}  // namespace
}  // namespace orv::test
