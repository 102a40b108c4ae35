// Line rasterizing: masks, their continuation, clipping, far end points.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/canvas.h"
#include "tests/support/canvas_art.h"

namespace datrax::platform {
namespace {

using testing::canvas_art;

Canvas small_canvas() {
    Canvas c(16, 16);
    c.set_color(15);
    return c;
}

std::string row_of(const Canvas& c, int y) { return canvas_art(c, 0, y, c.width(), 1); }

TEST(CanvasLines, MasksAlongAHorizontalLine) {
    struct Row {
        uint16_t mask;
        const char* expected;
    };
    for (const Row& r : {Row{0xFFFF, "FFFFFFFFFFFFFFFF\n"}, Row{0xAAAA, "F0F0F0F0F0F0F0F0\n"},
                         Row{0xFF00, "FFFFFFFF00000000\n"}, Row{0x8001, "F00000000000000F\n"}}) {
        Canvas c = small_canvas();
        c.set_line_style(r.mask);
        c.move_to(0, 3);
        c.line_to(15, 3);
        EXPECT_EQ(row_of(c, 3), r.expected) << std::hex << r.mask;
    }
}

TEST(CanvasLines, MaskCarriesOnAcrossJoinedLinesAndMoves) {
    Canvas c = small_canvas();
    c.set_line_style(0xFF00);
    c.move_to(0, 0);
    c.line_to(4, 0);   // bits 0..4
    c.line_to(15, 0);  // the joint pixel again (bit 5), then bits 6..15 and 0
    EXPECT_EQ(row_of(c, 0), "FFFFFFF00000000F\n");

    c.move_to(0, 2);  // a move keeps the position in the mask: this line starts at bit 1
    c.line_to(15, 2);
    EXPECT_EQ(row_of(c, 2), "FFFFFFF00000000F\n");

    c.set_line_style(0xFF00);  // the same mask again keeps the position too
    c.move_to(0, 4);
    c.line_to(15, 4);
    EXPECT_EQ(row_of(c, 4), "FFFFFFF00000000F\n");

    c.set_line_style(0xF0F0);  // another mask starts at its first bit
    c.move_to(0, 6);
    c.line_to(15, 6);
    EXPECT_EQ(row_of(c, 6), "FFFF0000FFFF0000\n");
}

TEST(CanvasLines, ShallowSteepAndReversedLines) {
    Canvas c(16, 16);
    c.set_color(1);
    c.move_to(0, 0);
    c.line_to(15, 5);
    c.set_color(2);
    c.move_to(14, 15);  // drawn bottom to top
    c.line_to(11, 6);
    c.set_color(3);
    c.move_to(5, 9);  // a dot: a line to its own start
    c.line_to(5, 9);
    EXPECT_EQ(canvas_art(c),
              "1100000000000000\n"
              "0011100000000000\n"
              "0000011100000000\n"
              "0000000011100000\n"
              "0000000000011100\n"
              "0000000000000011\n"
              "0000000000020000\n"
              "0000000000020000\n"
              "0000000000002000\n"
              "0000030000002000\n"
              "0000000000002000\n"
              "0000000000000200\n"
              "0000000000000200\n"
              "0000000000000200\n"
              "0000000000000020\n"
              "0000000000000020\n");
}

TEST(CanvasLines, ClipRectangleAndViewportOrigin) {
    Canvas c(16, 16);
    c.set_viewport(2, 2, 13, 13);  // pixel arguments now count from (2, 2)
    c.set_clip_rect(1, 1, 8, 8);   // canvas pixels 3..10
    c.set_color(4);
    c.move_to(-5, 0);
    c.line_to(20, 0);  // row above the clip rectangle: nothing
    c.move_to(-5, 4);
    c.line_to(20, 4);
    c.move_to(0, 0);
    c.line_to(11, 11);
    c.set_pixel(0, 1);  // outside the clip rectangle
    c.set_pixel(1, 1);
    EXPECT_EQ(canvas_art(c),
              "0000000000000000\n"
              "0000000000000000\n"
              "0000000000000000\n"
              "0004000000000000\n"
              "0000400000000000\n"
              "0000040000000000\n"
              "0004444444400000\n"
              "0000000400000000\n"
              "0000000040000000\n"
              "0000000004000000\n"
              "0000000000400000\n"
              "0000000000000000\n"
              "0000000000000000\n"
              "0000000000000000\n"
              "0000000000000000\n"
              "0000000000000000\n");
}

// Clipping must cut exactly the pixels of the unclipped line and keep the
// mask in step, whatever the slope and direction.
TEST(CanvasLines, ClippedLinesAreTheUnclippedLinesCut) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> coord(-40, 70);
    for (int trial = 0; trial < 2000; ++trial) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const uint16_t mask = static_cast<uint16_t>(rng());
        Canvas full(64, 48), clipped(64, 48);
        clipped.set_clip_rect(9, 5, 41, 30);
        for (Canvas* c : {&full, &clipped}) {
            c->set_line_style(mask);
            c->move_to(x0, y0);
            c->line_to(x1, y1);
            c->line_to(x0, y0);  // and back, continuing the mask
        }
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool inside = x >= 9 && x <= 41 && y >= 5 && y <= 30;
                ASSERT_EQ(clipped.pixel(x, y), inside ? full.pixel(x, y) : 0)
                    << "line (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ") mask " << mask << " at " << x
                    << "," << y;
            }
    }
}

TEST(CanvasLines, FarAndUndefinedEndPoints) {
    Canvas c = small_canvas();
    c.move_to(-2000000000, 5);
    c.line_to(2000000000, 5);
    c.move_to(7, -2000000000);
    c.line_to(7, 2000000000);
    c.set_world_window(0, 0, 15, 15);
    c.move_to_world(3, 1e30);
    c.line_to_world(3, -1e30);
    c.line_to_world(NAN, 4);
    c.line_to_world(INFINITY, 4);
    std::string expected;
    for (int y = 0; y < 16; ++y) expected += y == 5 ? "FFFFFFFFFFFFFFFF\n" : "000F000F00000000\n";
    EXPECT_EQ(canvas_art(c), expected);
}

TEST(CanvasLines, ColourIndicesWrapModulo16AfterDroppingTheSign) {
    Canvas c = small_canvas();
    for (const auto& [given, used] : {std::pair{31, 15}, {16, 0}, {-1, 1}, {-17, 1}, {INT32_MIN, 0}, {INT32_MAX, 15}}) {
        c.set_color(given);
        EXPECT_EQ(c.color(), used) << given;
    }
}

}  // namespace
}  // namespace datrax::platform
