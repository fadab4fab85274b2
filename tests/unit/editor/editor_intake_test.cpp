// The editor's intake: what the host hears during the set-up, the table's columns and rows, the header
// controls, the placement, the unload, and the intake errors that PasaDatos reports.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "editor/toolbar_images.h"
#include "unit/editor/editor_session.h"

namespace orv::test {
namespace {

using automation::Text;

TEST(EditorIntake, SetUpAnnouncesThePolylineFocusesItsFirstPointAndFillsTheTable) {
    RecordingHost host{sampleDrawing(10, 5)};
    std::vector<std::string> duringShow;
    runEditor(host, [&](EditorForm& editor) {
        duringShow = host.events();
        auto& table = editor.table();
        ASSERT_EQ(table.Cols(), 8);
        EXPECT_EQ(table.Rows(), 6);
        // Vertex 3 is point 3: its row, its data, its layer's name; coordinates shown with 3 decimals.
        std::vector<std::string> row;
        for (int32_t column = 0; column < 8; ++column)
            row.push_back(automation::toUtf8(table.displayText(3, column, {})));
        EXPECT_EQ(row, (std::vector<std::string>{"3", "3", "P3", "1003.125", "2006.500", "101.000", "C3",
                                                 "Capa 3"}));
    });
    EXPECT_EQ(duringShow, (Events{"newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)", "EnfocaPuntito(1, 1)"}));
    // The script ran out: the close box unloads the editor, which cancels.
    EXPECT_EQ(host.events(), (Events{duringShow[0], duringShow[1], "CancelarEnfoca()"}));
}

TEST(EditorIntake, LoadStepDrivesTheTableInItsOrder) {
    RecordingHost host{sampleDrawing(10, 2)};
    runEditor(host, [&](EditorForm& editor) {
        const auto& calls = editor.table().memberCalls();
        // The design's size comes first, then the load step.
        const std::vector<std::string> load(calls.end() - 17, calls.end());
        EXPECT_EQ(load, (std::vector<std::string>{
                            "Cols = 8",
                            "Rows = 2",
                            "SetFileContext(\"Orv_Pol_editEditar Pol\", \"Editor de polilíneas\", \"*.pts\")",
                            "SetColumn(0, False, False, 0, 0, 2, 0, 5, \"Vertice\")",
                            "SetColumn(1, False, False, 4, 0, 2, 0, 7, \" Punto\")",
                            "SetColumn(2, False, False, 4, 0, 2, 0, 7, \" Nombre \")",
                            "SetColumn(3, False, False, 2, 3, 2, 0, 10, \"    X   \")",
                            "SetColumn(4, False, False, 2, 3, 2, 0, 10, \"    Y   \")",
                            "SetColumn(5, False, False, 2, 3, 2, 0, 10, \"    Z   \")",
                            "SetColumn(6, False, False, 4, 0, 0, 0, 10, \"Código\")",
                            "SetColumn(7, False, False, 4, 0, 0, 1, 10, \"Capa\")",
                            "ApplyColumns",
                            "Refresh",
                            "SetMode(False)",
                            "Prepare",
                            "SetFilePattern(\"Orv_Pol_editEditar Pol\", \"*.pts\")",
                            "Rows = 3",
                        }));
    });
}

TEST(EditorIntake, HeaderControlsShowThePolyline) {
    DrawingShape shape;
    shape.polylines = 4;
    shape.selected = 2;  // six vertices, layer 2
    RecordingHost host{sampleDrawing(shape)};
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(automation::toUtf8(editor.form().caption()), "Editor de polilíneas:");
        EXPECT_EQ(automation::toUtf8(editor.textBox("txtVert").text()), "1");
        EXPECT_EQ(automation::toUtf8(editor.textBox("txPolis").text()), "2");
        EXPECT_EQ(editor.caption("labPolis"), " /4");
        EXPECT_EQ(editor.caption("labPol"), " /6");
        EXPECT_EQ(editor.button("cmdColor").backColor(), sampleColour(2));
        EXPECT_EQ(editor.layers().items(), (std::vector<Text>{u"Capa 1", u"Capa 2", u"Capa 3", u"Capa 4"}));
        EXPECT_EQ(editor.layers().listIndex(), 1);
    });
}

TEST(EditorIntake, ShortestPolylineLayerZeroAndAVertexListFromZero) {
    Drawing shortest = sampleDrawing(10, 2);
    shortest.capP = 0;
    RecordingHost host{std::move(shortest)};
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(editor.caption("labPol"), " /2");
        EXPECT_EQ(editor.table().Rows(), 3);
        EXPECT_EQ(editor.layers().listIndex(), -1);
    });

    DrawingShape shape;
    shape.vertexLower = 0;  // VertP(0) holds the decoy -1
    RecordingHost fromZero{sampleDrawing(shape)};
    runEditor(fromZero, [&](EditorForm& editor) { EXPECT_EQ(editor.table().Rows(), 6); });
    EXPECT_EQ(fromZero.events(), (Events{"newPolCambiala(1, 0:[-1 1 2 3 4 5], 1, 3, 255)",
                                         "EnfocaPuntito(1, 1)", "CancelarEnfoca()"}));
}

TEST(EditorIntake, ToolbarHasSixKeyedButtonsWithSixDistinctPictures) {
    RecordingHost host;
    runEditor(host, [&](EditorForm& editor) {
        const ui::Toolbar& toolbar = editor.toolbar();
        std::vector<Text> keys;
        for (const auto& button : toolbar.buttons()) keys.push_back(button.key);
        EXPECT_EQ(keys, (std::vector<Text>{u"z_amplia", u"z_reduce", u"Z_todo", u"Elim_vert", u"elim_ptos",
                                           u"eli_pol"}));
        EXPECT_EQ(toolbar.maskColor(), 0x00C0C0C0u);
        ASSERT_EQ(toolbar.images().size(), 6u);
        std::set<std::vector<uint32_t>> distinct;
        for (const auto& image : toolbar.images()) {
            const std::vector<uint32_t> pixels(std::begin(image.pixels), std::end(image.pixels));
            // Each picture leaves some of the silver ground and draws on the rest.
            const auto ground = std::count(pixels.begin(), pixels.end(), editor::kToolbarMaskColor);
            EXPECT_GT(ground, 64);
            EXPECT_LT(ground, 230);
            distinct.insert(pixels);
        }
        EXPECT_EQ(distinct.size(), 6u);
        for (size_t i = 0; i < toolbar.buttons().size(); ++i)
            EXPECT_EQ(toolbar.buttons()[i].imageIndex, int(i));
    });
}

TEST(EditorIntake, PlacementFromTheDefaultThroughTheCloseBoxToTheNextFreshOpening) {
    RecordingHost host;
    bool storedBeforeCancel = true;
    host.onCancelarEnfoca = [&] {
        storedBeforeCancel =
            host.services().placements().stored(u"Editar Polilíneas", u"EditarPol") != nullptr;
    };
    const auto placement = [](const ui::Form& form) {
        return collaborators::Placement{form.left(), form.top(), form.width(), form.height()};
    };
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(placement(editor.form()), (collaborators::Placement{200, 500, 8700, 5700}));
        editor.form().userResizes(9000, 6000);
        editor.commit(2, 2, u"Cambiado");
    });
    EXPECT_FALSE(storedBeforeCancel) << "the unload raises Cancela first, then stores the placement";
    host.onCancelarEnfoca = nullptr;
    host.clearEvents();
    // The second opening is a fresh editor on fresh copies, where the first one was left.
    runEditor(host, [&](EditorForm& editor) {
        EXPECT_EQ(placement(editor.form()), (collaborators::Placement{200, 500, 9000, 6000}));
        EXPECT_EQ(editor.cell(2, 2), "P2");
    });
    EXPECT_EQ(host.events().front(), "newPolCambiala(1, [1 2 3 4 5], 1, 3, 255)");
}

TEST(EditorIntake, ErrorsReachPasaDatosAndNoEditorIsShown) {
    const std::string subscript = "Enfoca Pollilinea - Error nº 9: El subíndice está fuera del intervalo";
    const std::pair<std::function<void(Drawing&)>, std::string> cases[] = {
        {[](Drawing& d) { d.VertP = longArray({3}); }, subscript},
        {[](Drawing& d) { d.VertP.erase(); }, subscript},
        {[](Drawing& d) {
             d.VertP = longArray({3, 4, 5}, 2);
         },
         subscript},
        {[](Drawing& d) {
             d.VertP = longArray({1, 2, 50});
         },
         subscript},  // a point beyond the arrays
        {[](Drawing& d) {
             d.noCapas = 40000;
             d.Capas.redim(0, 40000);
         },
         "Enfoca Pollilinea - Error nº 6: Desbordamiento"},
    };
    for (const auto& [spoil, box] : cases) {
        Drawing drawing = sampleDrawing(10, 5);
        spoil(drawing);
        RecordingHost host{std::move(drawing)};
        host.open(kEditor);
        EXPECT_EQ(host.boxes(), (std::vector<std::string>{box + " | 16 | Orv_Pol_edit"}));
        EXPECT_EQ(host.events(), Events{}) << box;
        EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0) << box;
    }
}

}  // namespace
}  // namespace orv::test
