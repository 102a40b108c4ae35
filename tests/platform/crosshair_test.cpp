// The marking cursor: drawn inverted over the canvas, and leaving no trace.
#include "platform/crosshair.h"

#include <gtest/gtest.h>

#include "support/canvas_art.h"

namespace datrax::testing {
namespace {

using platform::Canvas;
using platform::Crosshair;

// 32 x 32 pixels in colour 1 with a red diagonal, clipped to the whole canvas.
Canvas striped() {
    Canvas c(32, 32);
    c.set_viewport(0, 0, 31, 31);
    c.set_color(1);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) c.set_pixel(x, y);
    c.set_color(4);
    c.move_to(0, 0);
    c.line_to(31, 31);
    c.set_color(7);
    return c;
}

TEST(Crosshair, InvertsItsArmsAndPutsEverythingBack) {
    Canvas c = striped();
    const std::vector<uint8_t> before = c.pixels();
    {
        Crosshair cross(c);
        cross.show(16, 16);
        EXPECT_EQ(canvas_art(c, 3, 16, 27, 1), "1EEEEEEEEEEEEBEEEEEEEEEEEE1\n") << "1 becomes E, the diagonal 4 B";
        EXPECT_EQ(c.pixel(16, 3), 1) << "the arms end 12 pixels from the centre";
        EXPECT_EQ(c.pixel(16, 4), 14);
        EXPECT_EQ(c.pixel(17, 17), 4) << "off the arms nothing changes";
        cross.show(2, 30);  // moved near a corner: its arms are cut by the canvas edges
        EXPECT_EQ(c.pixel(16, 4), 1);
        EXPECT_EQ(c.pixel(0, 30), 14);
        cross.hide();
        EXPECT_TRUE(c.pixels() == before);
        cross.show(31, 0);
    }
    EXPECT_TRUE(c.pixels() == before) << "gone when the cursor ends";
    EXPECT_EQ(c.color(), 7) << "the drawing colour is kept";
}

}  // namespace
}  // namespace datrax::testing
