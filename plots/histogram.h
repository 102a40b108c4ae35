// The histogram plot: the value distribution of a data set with its summary
// statistics, on the screen and, on request, into a plot file.
#pragma once
#include <span>

#include "app/state.h"

namespace datrax {

// Draws the histogram of the current data set (sel.slot) in NBIN bars
// (counts receives the bar counts) and loops on limits, save and quit until
// Quit is answered y. Returns false, after a message, when the data set holds
// no samples.
LOGICAL histogram_plot(std::span<INTEGER> counts, const INTEGER& NBIN);

}  // namespace datrax
