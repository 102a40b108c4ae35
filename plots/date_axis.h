// The time axis of the time-series plot in calendar time (UTC): ticks at
// round dates and times, labels that never overlap, and the year in the
// axis title. Drawn with the same pen moves and texts as every axis, so a
// saved plot file carries it too.
#pragma once
#include <vector>

#include "app/state.h"

namespace datrax {

// Draws the axis along the bottom of the plot (XMIN..XMAX at YMIN) for the
// calendar times T0 at XMIN and T1 at XMAX (seconds since 1970 UTC, T1 >
// T0), with about NGX(1) ticks; returns the page x of the ticks, for the
// grid lines.
std::vector<REAL> draw_date_axis(double t0, double t1);

}  // namespace datrax
