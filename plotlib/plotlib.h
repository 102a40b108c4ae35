// The plotting library's own state record. Only plotlib routines touch it;
// everybody else goes through the routines.
#pragma once
#include "app/state.h"

namespace datrax {

struct PlotLibRecord {
    INTEGER IDEV = 0;    // 0 nothing open, 1 plot file, 2 screen, 12 both
    INTEGER IPAGE = 11;  // page size code 11 or 17
    INTEGER IMODE = 0;   // graphics mode 1..4; 0 = no graphics window set up
    INTEGER IBACK = 0;   // background colour 0..7 of the graphics window
    Text<40> plot_file_name;  // name of the plot file last opened
    INTEGER plot_unit = 0;    // 19 while a plot file is open
    REAL XLO = 0.0f, YLO = 0.0f, XHI = 10.0f, YHI = 7.5f;  // page extents, inches
    REAL PXIN = 0.0f, PYIN = 0.0f;                         // screen pixels per inch
    INTEGER HPX1 = 0, HPY1 = 0, HPX2 = 0, HPY2 = 0;        // plotter units of the page corners
    REAL HXIN = 0.0f, HYIN = 0.0f;                         // plotter units per inch
    INTEGER NUMDIG = 0;  // integer digits before numbers switch to exponent form
};

namespace plotlib_detail {
// The one instance; plotlib routines only.
extern PlotLibRecord plot;
}  // namespace plotlib_detail

// Restores the library's initial state (run start, tests).
void reset_plotlib();

}  // namespace datrax
