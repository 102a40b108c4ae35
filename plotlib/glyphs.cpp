#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "console/console.h"
#include "platform/window.h"
#include "plotlib/coords.h"
#include "plotlib/font.h"
#include "plotlib/glyph_draw.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax {

using plotlib_detail::plot;

namespace plotlib_detail {

namespace {

constexpr INTEGER kPenDown = 99;
constexpr INTEGER kPenUp = -99;
constexpr INTEGER kReplacement = 90;  // "Z", drawn for codes beyond the font
constexpr REAL kCharShrink = 0.667f;  // characters are 2/3 of the height wide

platform::Canvas& canvas() { return platform::window().canvas(); }

// Runs a drawing in colour |col| with the mask, restoring both afterwards.
template <typename Draw>
void styled(INTEGER col, uint16_t mask, Draw draw) {
    platform::Canvas& cv = canvas();
    const int old_colour = cv.color();
    const uint16_t old_mask = cv.line_style();
    cv.set_color(colour_index(col));
    cv.set_line_style(mask);
    draw(cv);
    cv.set_line_style(old_mask);
    cv.set_color(old_colour);
}
}  // namespace

void screen_line(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2, INTEGER col, uint16_t mask) {
    styled(col, mask, [&](platform::Canvas& cv) {
        cv.move_to(x1, y1);
        cv.line_to(x2, y2);
    });
}

GlyphScale glyph_scale(INTEGER code, REAL h) {
    if (code <= kLastMarker) return {h / 4.0f, plot.GFACT * h / 6.0f};
    const REAL hc = kCharShrink * h;
    return {hc / 4.0f, plot.GFACT * hc / 8.0f};
}

// Values: 99 (pen down) or -99 (pen up) followed by a displacement pair, or
// a displacement pair on its own; the pen starts up.
void walk_glyph(REAL ox, REAL oy, INTEGER code, const GlyphScale& scale, REAL c, REAL s, INTEGER colour,
                PixelBox& box) {
    const Glyph& g = plot.font[static_cast<size_t>(code)];
    REAL x = ox, y = oy;
    bool down = false;
    for (INTEGER i = 1; i <= g.count;) {
        if (g.v(i) == kPenDown || g.v(i) == kPenUp) {
            down = g.v(i) == kPenDown;
            ++i;
        }
        if (i + 1 > g.count) break;
        REAL dx = 0, dy = 0;
        glyph_offset(static_cast<REAL>(g.v(i)), static_cast<REAL>(g.v(i + 1)), scale, c, s, plot.PXIN, plot.PYIN, dx,
                     dy);
        i += 2;
        if (down) {
            const INTEGER x1 = nearest_int(x), y1 = nearest_int(y), x2 = nearest_int(x + dx), y2 = nearest_int(y + dy);
            screen_line(x1, y1, x2, y2, colour, kSolidMask);
            box.add(x1, y1);
            box.add(x2, y2);
        }
        x += dx;
        y += dy;
    }
}

}  // namespace plotlib_detail

namespace {

using plotlib_detail::GlyphScale;
using plotlib_detail::PixelBox;

// True when the region of non-boundary pixels around the seed lies within
// the marker's box: a seed that misses the inside of a small or turned
// outline would otherwise flood the whole page.
bool enclosed(INTEGER sx, INTEGER sy, INTEGER boundary, const PixelBox& box) {
    const platform::Canvas& cv = plotlib_detail::canvas();
    if (!box.contains(sx, sy) || box.x1 < 0 || box.y1 < 0 || box.x2 >= cv.width() || box.y2 >= cv.height())
        return false;
    const int w = box.x2 - box.x1 + 1, h = box.y2 - box.y1 + 1;
    std::vector<bool> seen(static_cast<size_t>(w) * h, false);
    std::vector<std::pair<int, int>> todo{{sx, sy}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (!box.contains(x, y)) return false;
        const size_t k = static_cast<size_t>(y - box.y1) * w + (x - box.x1);
        if (seen[k] || cv.pixel(x, y) == boundary) continue;
        seen[k] = true;
        todo.push_back({x + 1, y});
        todo.push_back({x - 1, y});
        todo.push_back({x, y + 1});
        todo.push_back({x, y - 1});
    }
    return true;
}

// Seeds: pixel offsets from the marker's point, and glyph-unit points for
// the star and the arrow (which follow the marker's size and angle).
void fill_at(INTEGER x, INTEGER y, INTEGER colour, const PixelBox& box) {
    if (enclosed(x, y, plotlib_detail::colour_index(colour), box)) SCFILL(x, y, colour);
}

struct UnitSeed {
    REAL dx, dy;
};
// The inner pentagon and the five tips of the star; the head of the arrow.
constexpr UnitSeed kStarSeeds[] = {{0.0f, 0.0f},  {0.0f, 1.6f},   {1.5f, 0.4f},
                                   {-1.5f, 0.4f}, {0.85f, -2.0f}, {-0.85f, -2.0f}};
constexpr UnitSeed kArrowSeeds[] = {{2.8f, 0.0f}};

void fill_at_units(const UnitSeed* seeds, size_t n, INTEGER ix, INTEGER iy, const GlyphScale& scale, REAL c, REAL s,
                   INTEGER colour, const PixelBox& box) {
    for (size_t k = 0; k < n; ++k) {
        REAL dx = 0, dy = 0;
        plotlib_detail::glyph_offset(seeds[k].dx, seeds[k].dy, scale, c, s, plot.PXIN, plot.PYIN, dx, dy);
        fill_at(ix + plotlib_detail::nearest_int(dx), iy + plotlib_detail::nearest_int(dy), colour, box);
    }
}

void fill_marker(INTEGER code, INTEGER ix, INTEGER iy, const GlyphScale& scale, REAL c, REAL s, INTEGER colour,
                 const PixelBox& box) {
    switch (code) {
        case 0:
        case 1:
        case 2:
        case 5:
        case 10:
            fill_at(ix + 2, iy, colour, box);
            fill_at(ix - 2, iy, colour, box);
            break;
        case 6:
            fill_at(ix - 2, iy - 2, colour, box);
            fill_at(ix + 2, iy - 2, colour, box);
            break;
        case 7:
        case 17: fill_at(ix, iy - 2, colour, box); break;
        case 12:
            fill_at(ix, iy + 2, colour, box);
            fill_at(ix, iy - 2, colour, box);
            break;
        case 14: fill_at_units(kStarSeeds, std::size(kStarSeeds), ix, iy, scale, c, s, colour, box); break;
        case 20: fill_at_units(kArrowSeeds, std::size(kArrowSeeds), ix, iy, scale, c, s, colour, box); break;
        default: break;
    }
}

}  // namespace

void SCGLYF(const INTEGER& IX, const INTEGER& IY, const REAL& H, const INTEGER& CODE, const REAL& C, const REAL& S,
            const INTEGER& PASSES) {
    INTEGER code = CODE;
    if (code > 127) {
        console_line("Character value exceeds 128, num= " + std::to_string(code));
        code = plotlib_detail::kReplacement;
    }
    if (code < 0) return;  // no glyph below code 0
    const GlyphScale scale = plotlib_detail::glyph_scale(code, H);
    const bool marker = code <= plotlib_detail::kLastMarker;
    const INTEGER colour = marker && plot.SCOL >= 1 ? plot.SCOL : plotlib_detail::canvas().color();
    if (plot.font[static_cast<size_t>(code)].count <= 1) return;
    PixelBox box;
    for (INTEGER k = 0; k < std::max(PASSES, 1); ++k) {
        const INTEGER ox = IX + plotlib_detail::nearest_int(static_cast<REAL>(k) * C);
        const INTEGER oy = IY - plotlib_detail::nearest_int(static_cast<REAL>(k) * S);
        plotlib_detail::walk_glyph(static_cast<REAL>(ox), static_cast<REAL>(oy), code, scale, C, S, colour, box);
    }
    if (marker && plot.IFILL == 1 && H >= 0.09f) fill_marker(code, IX, IY, scale, C, S, colour, box);
}

void SCLINE(INTEGER& X1, INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2, const INTEGER& COL) {
    if (COL >= 0) {
        plotlib_detail::screen_line(X1, Y1, X2, Y2, COL, plotlib_detail::kSolidMask);
        return;
    }
    plotlib_detail::styled(COL, plotlib_detail::kSolidMask, [&](platform::Canvas& cv) { cv.line_to(X2, Y2); });
    X1 = X2;
    Y1 = Y2;
}

void SCPIXL(const INTEGER& X, const INTEGER& Y, const INTEGER& COL) {
    platform::Canvas& cv = plotlib_detail::canvas();
    const int old = cv.color();
    cv.set_color(plotlib_detail::colour_index(COL));
    cv.set_pixel(X, Y);
    cv.set_color(old);
}

void SCFILL(const INTEGER& X, const INTEGER& Y, const INTEGER& COL) {
    platform::Canvas& cv = plotlib_detail::canvas();
    const int old = cv.color();
    cv.set_color(plotlib_detail::colour_index(COL));
    cv.flood_fill(X, Y, plotlib_detail::colour_index(COL));
    cv.set_color(old);
}

}  // namespace datrax
