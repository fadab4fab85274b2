// Opening the focus dialog: the load, the set-up's fields, captions and layer lists, its two events, and the
// placement kept from one opening to the next.
#include <gtest/gtest.h>

#include "collaborators/memory_placement_store.h"
#include "support/drawing.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

TEST(FocusDialogIntake, SetUpShowsVertexOneThenTellsTheHostThePolylineAndThePoint) {
    DrawingShape shortest;
    shortest.vertices = 2;
    shortest.vertexLower = 0;  // VertP(0) holds a decoy that must not be read
    const std::pair<Drawing, std::string> cases[] = {
        {sampleDrawing(), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1"},
        {sampleDrawing(shortest), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 2| /2] capa 1"},
    };
    for (const auto& [drawing, polyline] : cases) {
        RecordingHost host{drawing};
        host.script([&](ui::Form& form) {
            EXPECT_EQ(shown(form), "vértice 1 punto 1: P1 1001.125 2002.500 100.333 C1 capa 1");
            EXPECT_EQ(polylineShown(form), polyline);
            EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 255);
        });
        host.open(0);
        EXPECT_EQ(host.events(), (Events{"newPolCambiala(1, " + describe(drawing.VertP) + ", 1, 3, 255)",
                                         "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
    }
}

TEST(FocusDialogIntake, LoadSizesTheFixedToolWindowAndTheFocusStartsOnCancelar) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        EXPECT_EQ(form.caption(), u"Enfoca y edita Polilineas");
        EXPECT_EQ(form.border(), ui::BorderStyle::FixedToolWindow);
        EXPECT_EQ(form.height(), 5355);
        EXPECT_EQ(form.clientWidth(), 3030);
        for (const char* button : {"cmdAceptar", "cmdCancelar", "cmdRedibuja"})
            EXPECT_EQ(form.find(button)->top(), 4410) << button;
        std::string order;
        for (ui::Control* c : form.tabOrder())
            order += c->name() + (c->index() >= 0 ? "(" + std::to_string(c->index()) + ") " : " ");
        EXPECT_EQ(order,
                  "cmdCancelar cmdAceptar txPolis cmdAvP(1) cmdAvP(0) cmdAv(0) cmdAv(1) txtVert cmbCapaPol "
                  "cmdZm(1) cmdZm(0) txtN txtNom txtX txtY txtZ txtcod cmbCapa cmdRedibuja cmdColor ");
        EXPECT_EQ(form.focus(), form.find("cmdCancelar"));
        EXPECT_TRUE(control<ui::CommandButton>(form, "cmdCancelar").isCancel());
        EXPECT_TRUE(control<ui::CommandButton>(form, "cmdColor").graphical());
        // "-" stands left of "+"; the tooltips say which is which.
        EXPECT_LT(form.find("cmdZm", 1)->left(), form.find("cmdZm", 0)->left());
        EXPECT_EQ(form.find("cmdZm", 0)->toolTip(), u"Amplia el dibujo");
        EXPECT_EQ(form.find("cmdZm", 1)->toolTip(), u"Reduce el dibujo");
        for (const char* bold : {"fraPuntos", "fraPoli", "fraVert", "txPolis", "labPolis"})
            EXPECT_TRUE(form.find(bold)->bold()) << bold;
    });
    host.open(0);
}

TEST(FocusDialogIntake, EachSetUpRefillsBothLayerListsAndLayerZeroSelectsNone) {
    RecordingHost host;
    host.script([](ui::Form& form) { click(form, "cmdAvP", 1); });
    host.script([](ui::Form& form) { click(form, "cmdAvP", 1); });
    host.script([&](ui::Form& form) {
        const std::vector<Text> layers = {u"Capa 1", u"Capa 2", u"Capa 3", u"Capa 4"};
        EXPECT_EQ(control<ui::ComboBox>(form, "cmbCapa").items(), layers);
        EXPECT_EQ(control<ui::ComboBox>(form, "cmbCapaPol").items(), layers);
    });
    host.open(0);

    for (const int32_t layers : {4, 0}) {
        Drawing drawing = sampleDrawing();
        drawing.noCapas = layers;
        for (int32_t p = 0; p <= drawing.Nuput; ++p) drawing.CapaPuntos(p) = 0;
        drawing.capP = 0;
        RecordingHost none{std::move(drawing)};
        none.script([&](ui::Form& form) {
            for (const char* list : {"cmbCapa", "cmbCapaPol"}) {
                EXPECT_EQ(layerShown(form, list), 0) << list;
                EXPECT_EQ(control<ui::ComboBox>(form, list).items().size(), size_t(layers)) << list;
            }
        });
        none.open(0);
        EXPECT_TRUE(none.messageBoxes().empty());
    }
}

// A memory store that notes each call with what the dialog showed at that moment.
class SpyPlacementStore : public collaborators::MemoryPlacementStore {
  public:
    void RestorePlacement(ui::Form& form, const Text& section, const Text& key) override {
        note("Restore", form, section, key);
        MemoryPlacementStore::RestorePlacement(form, section, key);
    }
    void StorePlacement(ui::Form& form, const Text& section, const Text& key) override {
        note("Store", form, section, key);
        MemoryPlacementStore::StorePlacement(form, section, key);
    }
    std::vector<std::string> calls;

  private:
    void note(const char* operation, ui::Form& form, const Text& section, const Text& key) {
        calls.push_back(std::string(operation) + "(" + automation::toUtf8(section) + ", " +
                        automation::toUtf8(key) + ") at " + shown(form));
    }
};

TEST(FocusDialogIntake, PlacementIsRestoredBeforeAnyFieldIsFilledMovingOnlyAndStoredAtTheClose) {
    RecordingHost host;
    auto spy = std::make_unique<SpyPlacementStore>();
    SpyPlacementStore& store = *spy;
    store.store(u"Enfoca Polilineas", u"enfoca", {600, 900, 5000, 8000});
    host.services().setPlacementStore(std::move(spy));
    host.script([&](ui::Form& form) {
        EXPECT_EQ((collaborators::Placement{form.left(), form.top(), form.width(), form.height()}),
                  (collaborators::Placement{600, 900, 3030 + ui::HeadlessToolkit::kFrameHorizontal, 5355}));
        form.setLeft(1500);
        click(form, "cmdAvP", 1);
    });
    host.open(0);
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{
                  "Restore(Enfoca Polilineas, enfoca) at vértice 1 punto 1: 1 0.000 0.000 0.00   capa 0",
                  "Store(Enfoca Polilineas, enfoca) at vértice 1 punto 4: P4 1004.125 2008.500 101.333 C4 "
                  "capa 4"}));
    host.script([&](ui::Form& form) { EXPECT_EQ(form.left(), 1500); });
    host.open(0);
}

}  // namespace
}  // namespace orv::test
