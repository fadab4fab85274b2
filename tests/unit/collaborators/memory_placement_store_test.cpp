#include <gtest/gtest.h>

#include "collaborators/memory_placement_store.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::collaborators {
namespace {

class FixedScreens : public ScreenArea {
  public:
    std::vector<ScreenRect> workAreas() const override { return areas; }
    std::vector<ScreenRect> areas;
};

class PlacementStore : public ::testing::Test {
  protected:
    ui::HeadlessToolkit toolkit;
    ui::Form form{toolkit, "F_Pol_Edt", u"", ui::BorderStyle::SizableToolWindow};
};

Placement placementOf(const ui::Form& form) {
    return {form.left(), form.top(), form.width(), form.height()};
}

TEST_F(PlacementStore, StoreThenRestoreGivesThePlacementBackPerPair) {
    MemoryPlacementStore store;
    form.setBounds(1234.5, 678, 9000, 6000);
    store.StorePlacement(form, u"Editar Polilíneas", u"EditarPol");
    form.setBounds(0, 0, 100, 100);
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(placementOf(form), (Placement{1234.5, 678, 9000, 6000}));
    // Another pair (here only the accent differs) holds nothing: the defaults.
    store.RestorePlacementAndSize(form, u"Editar Polilineas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(placementOf(form), (Placement{200, 500, 8700, 5700}));
}

TEST_F(PlacementStore, RestorePlacementMovesOnlyAndLeavesAFormAloneWhenNothingIsStored) {
    MemoryPlacementStore store;
    form.setBounds(10, 20, 3150, 5355);
    store.RestorePlacement(form, u"Enfoca Polilineas", u"enfoca");
    EXPECT_EQ(placementOf(form), (Placement{10, 20, 3150, 5355}));
    store.store(u"Enfoca Polilineas", u"enfoca", {700, 800, 9999, 9999});
    store.RestorePlacement(form, u"Enfoca Polilineas", u"enfoca");
    EXPECT_EQ(placementOf(form), (Placement{700, 800, 3150, 5355}));
}

TEST_F(PlacementStore, APlacementOffEveryScreenIsBroughtBackOntoTheNearest) {
    FixedScreens screens;
    screens.areas = {{0, 0, 28800, 15840}, {28800, 0, 19200, 14400}};
    MemoryPlacementStore store(&screens);
    // Left of the first screen, below its bottom edge: pulled back whole into its bottom-left corner.
    store.store(u"Editar Polilíneas", u"EditarPol", {-20000, 30000, 8700, 5700});
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(placementOf(form), (Placement{0, 15840 - 5700, 8700, 5700}));

    // Right of the second screen: onto the second screen's right edge.
    store.store(u"Editar Polilíneas", u"EditarPol", {60000, 1000, 8700, 5700});
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(placementOf(form), (Placement{28800 + 19200 - 8700, 1000, 8700, 5700}));

    // Partly on a screen: left where it is.
    store.store(u"Editar Polilíneas", u"EditarPol", {-8000, -5000, 8700, 5700});
    store.RestorePlacementAndSize(form, u"Editar Polilíneas", u"EditarPol", 200, 500, 8700, 5700);
    EXPECT_EQ(placementOf(form), (Placement{-8000, -5000, 8700, 5700}));

    // The stored placement itself is not rewritten.
    EXPECT_EQ(*store.stored(u"Editar Polilíneas", u"EditarPol"), (Placement{-8000, -5000, 8700, 5700}));
}

TEST(KeepOnScreen, TooBigForTheScreenKeepsItsSizeAndShowsItsTopLeft) {
    const std::vector<ScreenRect> screen = {{0, 0, 14400, 10800}};
    EXPECT_EQ(keepOnScreen({50000, 50000, 20000, 12000}, screen), (Placement{0, 0, 20000, 12000}));
    EXPECT_EQ(keepOnScreen({50000, 50000, 20000, 12000}, {}), (Placement{50000, 50000, 20000, 12000}));
    // Touching the edge is not on the screen.
    EXPECT_EQ(keepOnScreen({14400, 100, 1000, 1000}, screen), (Placement{13400, 100, 1000, 1000}));
}

}  // namespace
}  // namespace orv::collaborators
