// Pieces of the screen glyph drawing shared by the text and marker paths.
#pragma once
#include <cstdint>

#include "base/types.h"

namespace datrax::plotlib_detail {

// A line between two pixels in colour |col| with its own mask; the canvas's
// colour and mask are restored afterwards.
void screen_line(INTEGER x1, INTEGER y1, INTEGER x2, INTEGER y2, INTEGER col, uint16_t mask);

// Size of one glyph unit in inches for a code and height.
struct GlyphScale {
    REAL ux, uy;
};
GlyphScale glyph_scale(INTEGER code, REAL h);

// The pixel rectangle a glyph's strokes cover.
struct PixelBox {
    INTEGER x1 = INT32_MAX, y1 = INT32_MAX, x2 = INT32_MIN, y2 = INT32_MIN;
    void add(INTEGER x, INTEGER y) {
        x1 = x < x1 ? x : x1, x2 = x > x2 ? x : x2;
        y1 = y < y1 ? y : y1, y2 = y > y2 ? y : y2;
    }
    bool contains(INTEGER x, INTEGER y) const { return x >= x1 && x <= x2 && y >= y1 && y <= y2; }
};

// The strokes of one loaded glyph from a real pixel origin; the stroke
// ends are added to `box`.
void walk_glyph(REAL ox, REAL oy, INTEGER code, const GlyphScale& scale, REAL c, REAL s, INTEGER colour, PixelBox& box);

// Pixel offset of a displacement (dx, dy) in glyph units (rows grow down).
inline void glyph_offset(REAL dx, REAL dy, const GlyphScale& g, REAL c, REAL s, REAL pxin, REAL pyin, REAL& ox,
                         REAL& oy) {
    ox = (dx * g.ux * c - dy * g.uy * s) * pxin;
    oy = -(dx * g.ux * s + dy * g.uy * c) * pyin;
}

}  // namespace datrax::plotlib_detail
