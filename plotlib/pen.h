// Pen moves and colours. Every line the program draws goes through PENMOV,
// to the screen, the plot file or both.
#pragma once
#include <cstddef>

#include "base/types.h"

namespace datrax {

// Pen codes: 3 move, 2 draw, 1 dot, 4 style draw (file: move), 5 dotted,
// 6 dashed, 7-9 current style; +10 the same; negative: the end point
// becomes the page origin; 999 ends the plot.
void PENMOV(const REAL& X, const REAL& Y, const INTEGER& IPEN);
// PENMOV(X[i], Y[i], IPEN) for i = 0..N-1, for the long runs of one draw
// code that curves are made of: the plot file gets every move, the screen
// the same pixels drawn column by column.
void pen_draw_run(const REAL* X, const REAL* Y, size_t N, INTEGER IPEN);
// 999 returns the screen colour; otherwise selects colour |ICOL| mod 16 and,
// with a plot file, the pen ICOL (-1 puts the pen away, -2 selects pen 0).
// The colour index the screen draws in (the answer of PENCOL(999)).
INTEGER pen_colour();
void PENCOL(INTEGER& ICOL);
void PENCOL(const INTEGER& ICOL);
// The pen position in inches and the x scale factor (1.0).
void PENPOS(REAL& X, REAL& Y, REAL& FACT);

}  // namespace datrax
