// One drawing of the time-series plot, on the screen or into a plot file:
// titles, file names, axes, frames, grids, curves and the banner.
#pragma once
#include <string_view>

#include "app/state.h"
#include "plots/output.h"

namespace datrax {

constexpr REAL kUpperBase = 4.0f;  // lower edge of the upper area of separate plots
constexpr REAL kLowerTop = 3.5f;   // upper edge of the lower area of separate plots

// The values one drawing is made from (the window and limits live in plotw).
struct SeriesDrawing {
    INTEGER NMAX = 0;                                 // samples of the longer data set shown
    REAL TEND = 0.0f;                                 // time of sample NMAX
    REAL H1 = 0.0f;                                   // height of the first (upper or only) plot area
    REAL H2 = 0.0f;                                   // height of the lower plot area of separate plots
    REAL TSTART = 0.0f;                               // time at the left edge
    REAL TSTEP = 0.0f;                                // time per X division
    REAL XDIV = 0.0f;                                 // X division length, inches
    REAL DXI = 0.0f;                                  // inches per sample
    REAL ystep1 = 0.0f, scale1 = 0.0f, ydiv1 = 0.0f;  // data per division, inches per unit, division length
    REAL ystep2 = 0.0f, scale2 = 0.0f, ydiv2 = 0.0f;  // the same for the lower area
    INTEGER output = kOutputScreen;                   // kOutputScreen or kOutputSave
    std::string_view range_note;                      // "Data range ... set to minimum" to show once the plot is drawn
};

// Two data sets in two areas, each with its own axis, frame and grid (STYLE 2,
// and 3 to 5 which have no layout of their own), when both have a sample.
bool separate_areas();

// Of two data sets, the one drawn alone because the other holds no present
// sample (a panel of nothing would show a made-up axis); 0 otherwise.
INTEGER lone_set();

// Selects the output and draws the whole plot; a save also carries the marks
// and is closed, and the output returns to the screen. Clears NEWDAT.
void draw_time_series(SeriesDrawing& d);

}  // namespace datrax
