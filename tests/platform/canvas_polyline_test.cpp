// A polyline drawn column by column must leave exactly the pixels, pen and
// mask position of the same points drawn one line at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "platform/canvas.h"

namespace datrax::platform {
namespace {

struct Curve {
    const char* name;
    std::vector<float> x, y;
};

// The set-up every comparison starts from: an offset viewport, a clip
// rectangle smaller than it, a world window with y upward.
Canvas prepared(uint16_t mask) {
    Canvas c(120, 90);
    c.set_viewport(7, 5, 110, 84);
    c.set_world_window(-1.0, -2.0, 9.0, 6.0);
    c.set_clip_rect(3, 4, 95, 70);
    c.set_line_style(mask);
    c.set_color(14);
    return c;
}

// Where the two canvases first differ, or "" when they agree.
std::string first_difference(const Canvas& a, const Canvas& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       "): " + std::to_string(a.pixel(x, y)) + " one by one, " + std::to_string(b.pixel(x, y)) +
                       " as polyline";
    return "";
}

void expect_same_both_ways(const Curve& c, uint16_t mask) {
    SCOPED_TRACE(std::string(c.name) + ", mask " + std::to_string(mask));
    Canvas one = prepared(mask), run = prepared(mask);
    one.move_to_world(c.x[0], c.y[0]);
    run.move_to_world(c.x[0], c.y[0]);
    for (size_t i = 1; i < c.x.size(); ++i) one.line_to_world(c.x[i], c.y[i]);
    // In pieces, as the plots hand over their runs, with a piece of one point.
    const size_t cuts[] = {1, 2, c.x.size() / 3, c.x.size() - 1, c.x.size()};
    size_t from = 1;
    for (size_t to : cuts) {
        if (to <= from || to > c.x.size()) continue;
        run.polyline_world(c.x.data() + from, c.y.data() + from, to - from);
        from = to;
    }
    EXPECT_EQ(first_difference(one, run), "");
    double ax = 0, ay = 0, bx = 0, by = 0;
    one.world_position(ax, ay);
    run.world_position(bx, by);
    EXPECT_EQ(ax, bx);
    EXPECT_EQ(ay, by);
    // The mask carries on from the same bit into the next line.
    one.set_line_style(mask);
    run.set_line_style(mask);
    one.set_color(9);
    run.set_color(9);
    one.line_to_world(0.0, 0.0);
    run.line_to_world(0.0, 0.0);
    EXPECT_EQ(first_difference(one, run), "");
}

std::vector<Curve> curves() {
    std::mt19937 rng(20240301);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::normal_distribution<float> step(0.0f, 0.05f);
    std::vector<Curve> out;

    Curve walk{"random walk, about 60 points per column", {}, {}};
    float v = 2.0f;
    for (int i = 0; i < 6000; ++i) {
        v += step(rng);
        walk.x.push_back(-1.0f + 10.0f * static_cast<float>(i) / 6000.0f);
        walk.y.push_back(v);
    }
    out.push_back(walk);

    Curve noise{"noise over the whole window and beyond the clip", {}, {}};
    for (int i = 0; i < 4000; ++i) {
        noise.x.push_back(-1.5f + 11.0f * static_cast<float>(i) / 4000.0f);
        noise.y.push_back(-3.0f + 10.0f * unit(rng));
    }
    out.push_back(noise);

    Curve scatter{"points anywhere, many columns apart", {}, {}};
    for (int i = 0; i < 2000; ++i) {
        scatter.x.push_back(-2.0f + 12.0f * unit(rng));
        scatter.y.push_back(-3.0f + 10.0f * unit(rng));
    }
    out.push_back(scatter);

    // Columns of pixels near the origin truncate toward zero: -0.5 and 0.5
    // share column 0, and x exactly on a column's edge starts the next one.
    Curve edges{"column edges and truncation toward zero", {}, {}};
    const float px = 10.0f / 103.0f;  // world width of one viewport pixel
    for (int i = 0; i < 400; ++i) {
        const float at = -1.0f + static_cast<float>(i / 8 - 2) * px + (i % 2 ? -0.5f : 0.5f) * px;
        edges.x.push_back(i % 5 == 0 ? -1.0f + static_cast<float>(i / 8) * px : at);
        edges.y.push_back(i % 3 == 0 ? 6.5f : -2.5f + static_cast<float>(i % 7));
    }
    out.push_back(edges);

    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Curve far{"far, infinite and undefined points inside runs", {}, {}};
    for (int i = 0; i < 600; ++i) {
        const float x = 1.0f + static_cast<float>(i) / 300.0f;
        float y = 1.0f + unit(rng);
        if (i % 37 == 0) y = 1e30f;
        if (i % 53 == 0) y = -1e30f;
        if (i % 71 == 0) y = inf;
        if (i % 89 == 0) y = nan;
        far.x.push_back(i % 97 == 0 ? 1e20f : x);
        far.y.push_back(y);
    }
    out.push_back(far);

    Curve ping{"back and forth between two columns", {}, {}};
    for (int i = 0; i < 500; ++i) {
        ping.x.push_back(i % 4 < 2 ? 3.0f : 3.0f + px);
        ping.y.push_back(static_cast<float>(i % 9) - 1.0f);
    }
    out.push_back(ping);

    Curve dense{"50,000 points in three columns", {}, {}};
    for (int i = 0; i < 50000; ++i) {
        dense.x.push_back(4.0f + static_cast<float>(i / 16667) * px + 0.3f * px);
        dense.y.push_back(static_cast<float>((i * 7919) % 13) * 0.5f - 1.5f + 0.01f * static_cast<float>(i % 17));
    }
    out.push_back(dense);

    Curve single{"one column, entered from outside the clip",
                 {5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f},
                 {-5.0f, 1.0f, 0.5f, 9.0f, 2.0f, 2.0f}};
    out.push_back(single);
    return out;
}

TEST(CanvasPolyline, EveryCurveGivesThePixelsOfItsLinesOneByOne) {
    for (const Curve& c : curves()) {
        expect_same_both_ways(c, 0xFFFF);
        expect_same_both_ways(c, 0xAAAA);  // a patterned mask, drawn line by line
        expect_same_both_ways(c, 0xFF00);
    }
}

}  // namespace
}  // namespace datrax::platform
