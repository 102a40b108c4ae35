// The histogram plot: the value distribution of a data set with its summary
// statistics, on the screen and, on request, into a plot file.
#pragma once
#include <span>

#include "app/state.h"

namespace datrax {

// Draws the histogram of data set K in NBIN bars (counts receives the bar
// counts) and loops on limits, save and quit until Quit is answered y.
// Returns false, after a message, when the data set holds no samples.
LOGICAL histogram_plot(const Arr1<Text<40>, 2>& FNAME, std::span<INTEGER> counts, const INTEGER& NBIN,
                       LOGICAL& NEWDAT, const INTEGER& K);

}  // namespace datrax
