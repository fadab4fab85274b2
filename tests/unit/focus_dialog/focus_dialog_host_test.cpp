// What the host writes into the events' arguments, and input that runs during the dialog's yields.
#include <gtest/gtest.h>

#include "support/drawing.h"
#include "support/recording_host.h"
#include "unit/focus_dialog/focus_dialog_user.h"

namespace orv::test {
namespace {

using namespace focus;

TEST(FocusDialogHostWrites, PolylineSuppliedByTheHostIsTheOneSetUpButAnAnnouncementIsNotRedisplayed) {
    RecordingHost host;
    host.answersPolylineRequests = false;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t& acapP, int32_t& aNoPoli,
                               int32_t& acolpol) {
        if (aPolN != 2) {
            aVertP = longArray({2, 3});  // written at the set-up's announcement
            return;
        }
        aVertP = longArray({7, 8, 9});
        acapP = 3;
        aNoPoli = 12;
        acolpol = 0x123456;
    };
    host.script([&](ui::Form& form) {
        EXPECT_EQ(polylineShown(form), "polilínea 1 /3 [3 Polilíneas |Polilínea 1|Vértice 5| /5] capa 1");
        click(form, "cmdAceptar");
        host.clearEvents();
        click(form, "cmdAvP", 1);
        EXPECT_EQ(polylineShown(form), "polilínea 2 /12 [12 Polilíneas |Polilínea 2|Vértice 3| /3] capa 3");
        EXPECT_EQ(shown(form), "vértice 1 punto 7: P7 1007.125 2014.500 102.333 C7 capa 3");
        EXPECT_EQ(control<ui::CommandButton>(form, "cmdColor").backColor(), 0x123456);
    });
    host.open(0);
    ASSERT_GE(host.edits().size(), 1u);
    EXPECT_EQ(describe(host.edits()[0].nVer), "[2 3]");
    EXPECT_EQ(host.events()[1], "newPolCambiala(2, [7 8 9], 3, 12, 1193046)");
    EXPECT_EQ(host.events()[2], "EnfocaPuntito(7, 2)");
}

TEST(FocusDialogHostWrites, PointNumberWrittenAtTheFocusEventIsWhereTheFieldsGo) {
    RecordingHost host;
    host.onEnfocaPuntito = [](int32_t& Name, int32_t&) {
        if (Name == 2) Name = 6;
    };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "2");
        type(form, "txtNom", "Movido");
        host.clearEvents();
        click(form, "cmdAceptar");
    });
    host.open(0);
    EXPECT_EQ(host.events(),
              (Events{"EnfocaPol(6, 5, 1, [1 2 3 4 5], 1, 3, " + std::to_string(sampleColour(1)) + ")",
                      "CancelarEnfoca()"}));
    EXPECT_EQ(host.edits()[0].Nombre.get(6), u"Movido");
    EXPECT_EQ(host.edits()[0].Nombre.get(2), u"P2");
}

TEST(FocusDialogReentry, VertexArrowQueuedDuringAYieldRunsInsideTheFirst) {
    RecordingHost host;
    std::string after;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        host.toolkit().duringNextYield([&form] { click(form, "cmdAv", 1); });
        click(form, "cmdAv", 1);
        after = text(form, "txtVert") + " " + text(form, "txtN") + " " + caption(form, "fraVert");
    });
    host.open(0);
    // The inner press runs in the outer one's first yield; the outer then finishes with its own vertex.
    EXPECT_EQ(host.events(), (Events{"EnfocaPuntito(2, 1)", "EnfocaPuntito(3, 1)", "EnfocaPuntito(3, 1)",
                                     "EnfocaPuntito(2, 1)", "CancelarEnfoca()"}));
    EXPECT_EQ(after, "3 2 Vértice 2");
}

TEST(FocusDialogReentry, PolylineStepDuringAVertexArrowLeavesNoStaleVertexBehind) {
    RecordingHost host;
    host.answersPolylineRequests = false;
    host.onNewPolCambiala = [](int32_t& aPolN, LongArray& aVertP, int16_t&, int32_t&, int32_t&) {
        if (aPolN == 2) aVertP = longArray({8, 9});
    };
    host.script([&](ui::Form& form) {
        type(form, "txtVert", "4");
        host.clearEvents();
        host.toolkit().duringNextYield([&form] { click(form, "cmdAvP", 1); });
        click(form, "cmdAv", 1);  // to vertex 5, which the two-vertex polyline has not
    });
    host.open(0);
    const std::string colour = std::to_string(sampleColour(1));
    EXPECT_EQ(host.events(),
              (Events{"EnfocaPuntito(5, 1)", "newPolCambiala(2, [1 2 3 4 5], 1, 3, " + colour + ")",
                      "newPolCambiala(2, [8 9], 1, 3, " + colour + ")", "EnfocaPuntito(8, 2)",
                      "CancelarEnfoca()"}));
    EXPECT_TRUE(host.messageBoxes().empty());
}

TEST(FocusDialogReentry, CancelDuringAYieldEndsTheDialogAndTheArrowFinishes) {
    RecordingHost host;
    host.script([&](ui::Form& form) {
        host.clearEvents();
        host.toolkit().duringNextYield([&form] { click(form, "cmdCancelar"); });
        click(form, "cmdAv", 1);
    });
    host.open(0);
    EXPECT_EQ(host.events(),
              (Events{"EnfocaPuntito(2, 1)", "CancelarEnfoca()", "CancelarEnfoca()", "EnfocaPuntito(2, 1)"}));
    EXPECT_EQ(host.toolkit().closedForLackOfScript(), 0);
}

}  // namespace
}  // namespace orv::test
