// Flood fill up to a boundary colour.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "tests/support/canvas_art.h"

namespace datrax::platform {
namespace {

using testing::canvas_art;

// Draws the art onto a canvas of its size, one hex digit per pixel.
Canvas from_art(std::string_view art) {
    const int w = static_cast<int>(art.find('\n'));
    const int h = static_cast<int>(art.size()) / (w + 1);
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const char d = art[static_cast<size_t>(y) * (w + 1) + x];
            c.set_color(d <= '9' ? d - '0' : d - 'A' + 10);
            c.set_pixel(x, y);
        }
    return c;
}

// A concave outline of colour 4 with specks of other colours inside,
// including the fill colour 2, which must not stop the fill.
constexpr std::string_view kShape =
    "0000000000000000\n"
    "0444444444444440\n"
    "0400000000000040\n"
    "0402000444440040\n"
    "0400000400040040\n"
    "0444440400040040\n"
    "0000040400040040\n"
    "0000040400040040\n"
    "0444440444440040\n"
    "0400000000000040\n"
    "0400220000033040\n"
    "0400220000033040\n"
    "0402222222222240\n"
    "0400000000000040\n"
    "0444444444444440\n"
    "0000000000000000\n";

TEST(CanvasFill, FillsAConcaveRegionUpToTheBoundaryColour) {
    Canvas c = from_art(kShape);
    c.set_color(2);
    c.flood_fill(13, 13, 4);
    EXPECT_EQ(canvas_art(c),
              "0000000000000000\n"
              "0444444444444440\n"
              "0422222222222240\n"
              "0422222444442240\n"
              "0422222400042240\n"
              "0444442400042240\n"
              "0000042400042240\n"
              "0000042400042240\n"
              "0444442444442240\n"
              "0422222222222240\n"
              "0422222222222240\n"
              "0422222222222240\n"
              "0422222222222240\n"
              "0422222222222240\n"
              "0444444444444440\n"
              "0000000000000000\n");
}

TEST(CanvasFill, FillingWithTheBoundaryColourAndFromTheBoundary) {
    Canvas c = from_art(kShape);
    c.set_color(4);
    c.flood_fill(9, 5, 4);  // the closed box in the middle
    c.set_color(6);
    c.flood_fill(1, 1, 4);  // the seed is on the boundary: nothing
    c.flood_fill(0, 0, 4);  // the outside, which wraps around the left notch
    EXPECT_EQ(canvas_art(c),
              "6666666666666666\n"
              "6444444444444446\n"
              "6400000000000046\n"
              "6402000444440046\n"
              "6400000444440046\n"
              "6444440444440046\n"
              "6666640444440046\n"
              "6666640444440046\n"
              "6444440444440046\n"
              "6400000000000046\n"
              "6400220000033046\n"
              "6400220000033046\n"
              "6402222222222246\n"
              "6400000000000046\n"
              "6444444444444446\n"
              "6666666666666666\n");
}

TEST(CanvasFill, StopsAtTheClipRectangleAndRepeats) {
    Canvas c(16, 16);
    c.set_clip_rect(4, 2, 9, 5);
    c.set_color(3);
    c.flood_fill(0, 0, 15);  // seed outside the clip rectangle: nothing
    c.flood_fill(5, 3, 15);
    c.set_clip_rect(0, 0, 15, 15);
    c.set_color(1);
    for (int i = 0; i < 3; ++i) c.flood_fill(15, 15, 3);  // a second and third fill see fresh stamps
    std::string expected;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x <= 16; ++x) expected += x == 16 ? '\n' : (x >= 4 && x <= 9 && y >= 2 && y <= 5 ? '3' : '1');
    EXPECT_EQ(canvas_art(c), expected);
}

}  // namespace
}  // namespace datrax::platform
