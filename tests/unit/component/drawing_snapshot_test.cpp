// The host's snapshot, which every scenario relies on to prove the host's data untouched.
#include <gtest/gtest.h>

#include <cmath>

#include "support/drawing.h"

namespace orv::test {
namespace {

TEST(DrawingSnapshot, SeesAWrittenElementARedimAndAReplacedArray) {
    Drawing d = sampleDrawing();
    const Snapshot before = d.snapshot();
    EXPECT_EQ(d.snapshot(), before);

    d.Nombre.set(4, u"P4");  // same text, new string: no difference
    EXPECT_EQ(d.snapshot(), before);

    d.Z(4) = std::nextafter(d.Z(4), 0.0);
    EXPECT_EQ(differences(before, d.snapshot()), "Z ");
    d = sampleDrawing();

    Drawing e = sampleDrawing();
    const Snapshot fresh = e.snapshot();
    e.VertP.redimPreserve(1, 5);   // same bounds, same contents
    e.Capas = TextArray(e.Capas);  // an equal copy in another array
    EXPECT_EQ(differences(fresh, e.snapshot()), "Capas ");
}

}  // namespace
}  // namespace orv::test
