// The placement store kept in memory, and the plain number converter the perimeter line writes with.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "collaborators/memory_placement_store.h"
#include "collaborators/plain_number_converter.h"
#include "ui/form.h"
#include "ui/headless/headless_toolkit.h"

namespace orv::collaborators {
namespace {

using automation::NumberLocale;

TEST(PlacementStore, RestoresWhatWasStoredPerPairOrTheDefaultsAndBringsItBackOntoTheNearestScreen) {
    ui::HeadlessToolkit toolkit;
    ui::Form form{toolkit, "F_Pol_Edt", u"", ui::BorderStyle::SizableToolWindow};
    const auto placement = [&] { return Placement{form.left(), form.top(), form.width(), form.height()}; };
    const auto restore = [&](MemoryPlacementStore& store, const char16_t* section) {
        store.RestorePlacementAndSize(form, section, u"EditarPol", 200, 500, 8700, 5700);
        return placement();
    };
    MemoryPlacementStore store;
    form.setBounds(1234.5, 678, 9000, 6000);
    store.StorePlacement(form, u"Editar Polilíneas", u"EditarPol");
    form.setBounds(0, 0, 100, 100);
    EXPECT_EQ(restore(store, u"Editar Polilíneas"), (Placement{1234.5, 678, 9000, 6000}));
    // Another pair (here only the accent differs) holds nothing: the defaults.
    EXPECT_EQ(restore(store, u"Editar Polilineas"), (Placement{200, 500, 8700, 5700}));
    // RestorePlacement moves only, and leaves a form alone when nothing is stored.
    form.setBounds(10, 20, 3150, 5355);
    store.RestorePlacement(form, u"Enfoca Polilineas", u"enfoca");
    EXPECT_EQ(placement(), (Placement{10, 20, 3150, 5355}));
    store.store(u"Enfoca Polilineas", u"enfoca", {700, 800, 9999, 9999});
    store.RestorePlacement(form, u"Enfoca Polilineas", u"enfoca");
    EXPECT_EQ(placement(), (Placement{700, 800, 3150, 5355}));

    struct : ScreenArea {
        std::vector<ScreenRect> workAreas() const override {
            return {{0, 0, 28800, 15840}, {28800, 0, 19200, 14400}};
        }
    } screens;
    MemoryPlacementStore onScreens(&screens);
    const std::pair<Placement, Placement> cases[] = {
        // Left of the first screen, below its bottom edge: pulled back whole into its bottom-left corner.
        {{-20000, 30000, 8700, 5700}, {0, 15840 - 5700, 8700, 5700}},
        // Right of the second screen: onto the second screen's right edge.
        {{60000, 1000, 8700, 5700}, {28800 + 19200 - 8700, 1000, 8700, 5700}},
        // Partly on a screen: left where it is.
        {{-8000, -5000, 8700, 5700}, {-8000, -5000, 8700, 5700}},
    };
    for (const auto& [stored, restored] : cases) {
        onScreens.store(u"Editar Polilíneas", u"EditarPol", stored);
        EXPECT_EQ(restore(onScreens, u"Editar Polilíneas"), restored);
        EXPECT_EQ(*onScreens.stored(u"Editar Polilíneas", u"EditarPol"), stored);  // not rewritten
    }
    const std::vector<ScreenRect> screen = {{0, 0, 14400, 10800}};
    // Too big for the screen: keeps its size and shows its top left. Touching the edge is not on the screen.
    EXPECT_EQ(keepOnScreen({50000, 50000, 20000, 12000}, screen), (Placement{0, 0, 20000, 12000}));
    EXPECT_EQ(keepOnScreen({50000, 50000, 20000, 12000}, {}), (Placement{50000, 50000, 20000, 12000}));
    EXPECT_EQ(keepOnScreen({14400, 100, 1000, 1000}, screen), (Placement{13400, 100, 1000, 1000}));
}

TEST(PlainNumberConverter, WritesFixedDecimalsCorrectlyRoundedAndReadsTheLeadingNumberWithEitherSeparator) {
    PlainNumberConverter point, comma{NumberLocale{u','}};
    using Writes = std::vector<std::tuple<double, int16_t, const char16_t*>>;
    const Writes writes[] = {
        {{1234567.8915, 3, u"1234567.891"}, {2.5, 0, u"2"}, {3.5, 0, u"4"}, {-12.3456, 2, u"-12.35"}},
        {{0, 3, u"0.000"}, {-0.0004, 3, u"0.000"}, {-0.0, 2, u"0.00"}, {7, -2, u"7"}},
        {{1e15, 3, u"1000000000000000.000"}}};  // 1234567.8915 lies below ...8915 as a double
    for (const Writes& written : writes)
        for (const auto& [value, decimals, text] : written)
            EXPECT_EQ(point.NumberToText(value, decimals, 0), text) << value;
    EXPECT_EQ(point.NumberToText(7, 3, 5), u"7.000");  // the second number selects nothing
    EXPECT_EQ(comma.NumberToText(-4071.9, 3, 0), u"-4071,900");

    using Reads = std::vector<std::pair<const char16_t*, double>>;
    const Reads reads[] = {
        {{u"12,5", 12.5}, {u"12.5", 12.5}, {u" - 1 234,5 ", -1234.5}, {u"1,5,3", 1.5}, {u"1.5,3", 1.5}},
        {{u"+3e2m", 300}, {u"3e", 3}, {u"3e+x", 3}, {u"\t7\r\n", 7}, {u",25", 0.25}, {u"12abc", 12}},
        {{u"", 0}, {u"   ", 0}, {u"abc", 0}, {u"-", 0}, {u",", 0}, {u"e5", 0}, {u"inf", 0}, {u"nan", 0}},
        {{u"--1", 0}, {u"1e400", HUGE_VAL}, {u"-123e999", -HUGE_VAL}},
        {{u"0,0001e-400", 0}, {u"1e-320", 1e-320}}};
    for (const Reads& read : reads)
        for (const auto& [text, value] : read)
            EXPECT_EQ(comma.TextToNumber(text), value) << automation::toUtf8(text);
    EXPECT_FALSE(std::signbit(comma.TextToNumber(u"-0,000")));
}

// What NumberToText wrote reads back as a double that writes again as the same text and lies within half a
// unit of the last decimal of the value written (the number texts fuzz target tries any double).
TEST(PlainNumberConverter, RoundTripsAtTheDecimalsWritten) {
    PlainNumberConverter point, comma{NumberLocale{u','}};
    const auto roundTrip = [](PlainNumberConverter& converter, double value, int16_t decimals) {
        const automation::Text text = converter.NumberToText(value, decimals, 0);
        const double back = converter.TextToNumber(text);
        EXPECT_EQ(converter.NumberToText(back, decimals, 0), text) << value << " with " << decimals;
        EXPECT_LE(std::fabs(back - value), 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-15)
            << value;
    };
    for (double value : {0.0, -1.0, 0.5, -0.0005, 0.0625, 123.4565, 1e15 + 0.125, 9.999e15, 1e17,
                         4503599627370495.5, -1e-300, 5e-324, 1e300, 4071.9, 3358.5, 1.7976931348623157e308})
        for (int16_t decimals : {0, 1, 3, 12})
            for (PlainNumberConverter* converter : {&point, &comma}) roundTrip(*converter, value, decimals);
}

}  // namespace
}  // namespace orv::collaborators
