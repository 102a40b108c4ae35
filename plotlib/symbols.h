// Texts and markers drawn with the stroke font, and the drawing style.
#pragma once
#include <string_view>

#include "base/types.h"

namespace datrax {

// Draws NCHAR >= 0 characters of TEXT from (X, Y) along ANGLE degrees, or
// for NCHAR = -1 the marker whose code is TEXT's first character centred
// at (X, Y) (-2: first a line to it). X or Y 999 continues where the last
// text ended; HEIGHT < 0 draws bold. A text ending in "^" is centred on the
// page. Control characters of a text (codes 0-31 and 127) are drawn as
// blanks on every device.
void PLTSYM(const REAL& X, const REAL& Y, const REAL& HEIGHT, std::string_view TEXT, const REAL& ANGLE,
            const INTEGER& NCHAR);

namespace plotlib_detail {
// PLTSYM drawing every character of TEXT as the glyph of its code, control
// characters included: the font specimen shows every glyph of the font.
void draw_glyphs(const REAL& X, const REAL& Y, const REAL& HEIGHT, std::string_view TEXT, const REAL& ANGLE,
                 const INTEGER& NCHAR);
}  // namespace plotlib_detail

// LMODE 999 returns the five current values; otherwise sets them: line mode
// 6, 5, 0 or else 2; marker -1 (negative), 0..32, or 0 (above 32); marker
// colour 1..15 (mod 16) or -1; fill 1 or 0; forced text height.
void PLTSTY(INTEGER& LMODE, INTEGER& ISYM, INTEGER& SCOL, INTEGER& IFILL, REAL& THGT);
void PLTSTY(const INTEGER& LMODE, const INTEGER& ISYM, const INTEGER& SCOL, const INTEGER& IFILL, const REAL& THGT);

// Screen primitives in pixels.
// Glyph CODE of height H at pixel (IX, IY), direction (C, S), PASSES
// strokes side by side for bold.
void SCGLYF(const INTEGER& IX, const INTEGER& IY, const REAL& H, const INTEGER& CODE, const REAL& C, const REAL& S,
            const INTEGER& PASSES);
// Solid line in colour |COL|; COL < 0 draws from the current position and
// moves (X1, Y1) to (X2, Y2). The previous colour is restored.
void SCLINE(INTEGER& X1, INTEGER& Y1, const INTEGER& X2, const INTEGER& Y2, const INTEGER& COL);
void SCPIXL(const INTEGER& X, const INTEGER& Y, const INTEGER& COL);
// Flood fill in COL from the seed up to pixels of colour COL.
void SCFILL(const INTEGER& X, const INTEGER& Y, const INTEGER& COL);

}  // namespace datrax
