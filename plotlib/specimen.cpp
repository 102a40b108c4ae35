#include "plotlib/specimen.h"

#include "plotlib/axes.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"

namespace datrax {

namespace {

constexpr REAL kCellWidth = 0.28f;
constexpr REAL kCellHeight = 0.4f;

// 16 by 8 cells, code 0 at the top left. Markers are centred in their
// cells, characters start at the cell's baseline (at 90 degrees the
// baseline runs up the cell's right side).
void glyph_block(REAL left, REAL bottom, REAL height, REAL angle) {
    RECTNG(left, bottom, 8.0f * kCellHeight, 16.0f * kCellWidth, 0.0f, 3);
    for (int code = 0; code < 128; ++code) {
        const REAL x = left + static_cast<REAL>(code % 16) * kCellWidth;
        const REAL y = bottom + static_cast<REAL>(7 - code / 16) * kCellHeight;
        const char ch = static_cast<char>(code);
        if (code <= 32) {
            PLTSYM(x + kCellWidth / 2.0f, y + kCellHeight / 2.0f, height, {&ch, 1}, angle, -1);
        } else if (angle == 0.0f) {
            plotlib_detail::draw_glyphs(x + 0.07f, y + 0.1f, height, {&ch, 1}, angle, 1);
        } else {
            plotlib_detail::draw_glyphs(x + kCellWidth - 0.05f, y + 0.05f, height, {&ch, 1}, angle, 1);
        }
    }
}

}  // namespace

void draw_glyph_sheet() {
    PENCOL(15);
    PLTSYM(0.3f, 7.25f, 0.12f, "Stroke font: codes 0-127, heights 0.12 and 0.2, angles 0 and 90", 0.0f, 64);
    glyph_block(0.3f, 3.75f, 0.12f, 0.0f);
    glyph_block(5.2f, 3.75f, 0.2f, 0.0f);
    glyph_block(0.3f, 0.25f, 0.12f, 90.0f);
    glyph_block(5.2f, 0.25f, 0.2f, 90.0f);
}

void draw_axes_page() {
    PENCOL(15);
    PLTSYM(0.0f, 7.1f, 0.14f, "Axes test page^", 0.0f, 15);
    PLTAXS(1.5f, 1.0f, "Time (min)", -10, -7.0f, 0.0f, 0.0f, 10.0f, 1, 0.0f, 1.0f);
    PLTAXS(1.5f, 1.0f, "Gravity (nm/s**2)", 17, -5.0f, 90.0f, -2000.0f, 1000.0f, 0, 3.0f, 1.0f);
    PLTAXS(8.5f, 1.0f, "Pressure", -8, 5.0f, 90.0f, 990.0f, 2.5f, 1, 0.0f, 1.0f);
    PLTAXS(1.5f, 6.0f, "Upper x axis", 12, 7.0f, 0.0f, 1.0e6f, 2.5e5f, 2, 6.0f, 1.75f);
    PLTAXS(3.0f, 2.5f, "Slanted", 7, 3.0f, 30.0f, 0.0f, 0.5f, 1, 0.0f, 1.0f);
}

}  // namespace datrax
