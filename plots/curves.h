// The curves of the time-series plot: every sample of the drawn window is one
// pen move, with optional feather strokes and markers.
#pragma once
#include "plots/series_drawing.h"

namespace datrax {

// Draws data sets 1..NDSETS over samples J1..J2 (each up to its own NPTS).
void draw_curves(const SeriesDrawing& d);

}  // namespace datrax
