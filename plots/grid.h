// The dotted grid of a plot area, shared by the time-series plot and the
// histogram.
#pragma once
#include <algorithm>
#include <vector>

#include "app/state.h"

namespace datrax {

// A division count of the axis parameters as the plots use it: counts below 1
// act as 1, so no step or cell size divides by zero (the stored value stays).
inline INTEGER divisions(INTEGER n) { return std::max(n, 1); }

// Grid of the plot area with its frame corner at (XMIN, Y0), width XLEN and
// height HEIGHT, in NGX(KIND) x NGY(KIND) dotted cells (KIND 1 time series,
// 2 histogram); ends with a pen-up move to (XMIN, YMIN).
void draw_grid(const REAL& Y0, const REAL& HEIGHT, const INTEGER& KIND);
// The same grid of a time-series area on a calendar axis: the lines across
// time stand at the page x of its ticks, the lines across data in NGY(1)
// divisions as usual.
void draw_date_grid(const REAL& Y0, const REAL& HEIGHT, const std::vector<REAL>& xs);

}  // namespace datrax
