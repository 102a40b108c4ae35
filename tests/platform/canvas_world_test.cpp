// World (page inch) coordinates on the canvas must land on the same pixels
// as the plotting library's own inch-to-pixel conversion, which places text
// and markers: IX = (x - XLO) * PXIN, IY = (YHI - y) * PYIN in REAL
// arithmetic, truncated, with PXIN = (width - 1) / (XHI - XLO) and
// PYIN = (height - 1) / (YHI - YLO).
#include <gtest/gtest.h>

#include <cmath>

#include "platform/canvas.h"
#include "tests/support/canvas_art.h"

namespace datrax::platform {
namespace {

struct Page {
    float xlo, ylo, xhi, yhi;
};

struct Pixel {
    int x, y;
    bool operator==(const Pixel&) const = default;
};

Pixel page_pixel(const Page& p, int width, int height, float x, float y) {
    const float pxin = static_cast<float>(width - 1) / (p.xhi - p.xlo);
    const float pyin = static_cast<float>(height - 1) / (p.yhi - p.ylo);
    return {static_cast<int>((x - p.xlo) * pxin), static_cast<int>((p.yhi - y) * pyin)};
}

Canvas page_canvas(const Page& p, int width, int height) {
    Canvas c(width, height);
    c.set_viewport(0, 0, width, height);
    c.set_world_window(p.xlo, p.ylo, p.xhi, p.yhi);
    return c;
}

// The one pixel a dot at (x, y) sets; {-1, -1} when it is not exactly one.
Pixel dot_pixel(Canvas& c, float x, float y) {
    c.set_color(9);
    c.move_to_world(x, y);
    c.line_to_world(x, y);
    Pixel found{-1, -1};
    int count = 0;
    for (int py = 0; py < c.height(); ++py)
        for (int px = 0; px < c.width(); ++px)
            if (c.pixel(px, py) == 9) {
                found = {px, py};
                ++count;
            }
    c.set_color(0);
    c.line_to_world(x, y);
    return count == 1 ? found : Pixel{-1, -1};
}

TEST(CanvasWorld, PageCornersAndCentre) {
    struct Row {
        Page page;
        float x, y;
        Pixel expected;
    };
    const Page a4{0, 0, 10, 7.5f}, large{0, 0, 16, 10};
    for (const Row& r : {Row{a4, 0, 0, {0, 767}}, Row{a4, 10, 7.5f, {1023, 0}}, Row{a4, 5, 3.75f, {511, 383}},
                         Row{a4, 0, 7.5f, {0, 0}}, Row{large, 16, 10, {1023, 0}}, Row{large, 8, 5, {511, 383}},
                         Row{large, 0, 0, {0, 767}}}) {
        Canvas c = page_canvas(r.page, 1024, 768);
        EXPECT_EQ(dot_pixel(c, r.x, r.y), r.expected) << r.x << "," << r.y << " on " << r.page.xhi;
    }
}

// Every tenth of an inch (where tick marks and grid lines fall and truncation
// is most delicate), in every graphics mode's size.
TEST(CanvasWorld, TenthInchGridMatchesThePlottingConversion) {
    for (const Page& page : {Page{0, 0, 10, 7.5f}, Page{0, 0, 16, 10}}) {
        for (const auto& [w, h] : {std::pair{640, 480}, {800, 608}, {1024, 768}, {1280, 1024}}) {
            Canvas c = page_canvas(page, w, h);
            for (int i = 0; i <= static_cast<int>(page.xhi * 10); ++i) {
                const float x = static_cast<float>(i) * 0.1f, y = std::min(x, page.yhi);
                c.set_color(9);
                c.move_to_world(x, y);
                c.line_to_world(x, y);
                const Pixel expected = page_pixel(page, w, h, x, y);
                ASSERT_EQ(c.pixel(expected.x, expected.y), 9) << w << "x" << h << " page " << page.xhi << " x " << x;
                c.set_color(0);
                c.line_to_world(x, y);
            }
            EXPECT_EQ(std::count(c.pixels().begin(), c.pixels().end(), 9), 0) << "stray pixels";
        }
    }
}

TEST(CanvasWorld, WorldLinesAndPositionOnASmallPage) {
    Canvas c(16, 16);
    c.set_viewport(0, 0, 16, 16);
    c.set_world_window(0, 0, 3, 3);  // 5 pixels per unit
    c.set_color(7);
    c.move_to_world(0, 0);
    c.line_to_world(3, 0);
    c.line_to_world(3, 3);
    c.line_to_world(0, 3);
    c.line_to_world(0, 0);
    c.move_to_world(1, 1);
    c.line_to_world(2, 2);
    double x = 0, y = 0;
    c.world_position(x, y);
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 2);
    c.move_to(5, 10);  // a pixel move maps back to world coordinates
    c.world_position(x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    EXPECT_EQ(testing::canvas_art(c),
              "7777777777777777\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7000000000700007\n"
              "7000000007000007\n"
              "7000000070000007\n"
              "7000000700000007\n"
              "7000007000000007\n"
              "7000070000000007\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7000000000000007\n"
              "7777777777777777\n");
}

TEST(CanvasWorld, DegenerateWorldWindowIsIgnored) {
    Canvas c(16, 16);
    c.set_world_window(0, 0, 15, 15);
    c.set_world_window(2, 2, 2, 9);
    c.set_world_window(0, 0, NAN, 9);
    c.set_world_window(0, 0, 9, INFINITY);
    c.set_color(5);
    c.move_to_world(3, 3);
    c.line_to_world(3, 3);
    EXPECT_EQ(c.pixel(3, 12), 5);
}

}  // namespace
}  // namespace datrax::platform
