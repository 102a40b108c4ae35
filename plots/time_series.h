// The time-series plot: one or two data sets drawn against time, and the
// browse loop that moves, zooms, rescales, filters, marks, steps through a
// file series and saves the plot.
#pragma once
#include "app/state.h"

namespace datrax {

// Draws the loaded data sets and browses until q. Previous and Next step the
// data file names of dset.FNAME; mainv.new_data is true only before the first
// drawing of the run, and every drawing clears it.
void time_series_plot();
// The same; without file steps (a series that is no file's, such as a
// residual) the browse prompt offers no Previous and Next.
void time_series_plot(bool file_steps);

}  // namespace datrax
