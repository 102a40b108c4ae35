// A series of the analysis's own (the residual of a tidal fit) drawn and
// browsed with the time-series plot.
#pragma once
#include <string>
#include <vector>

#include "app/state.h"

namespace datrax {

struct ResidualSeries {
    std::vector<REAL>* values = nullptr;  // the series; lent to the plot, given back unchanged
    INTEGER slot = 1;                     // data set it was computed from (its units and interval)
    double start = 0.0;                   // time of its first value, seconds since 1970 UTC
    std::string title;                    // plot title
};

// Draws the series as data set 1 alone, browsing until q (Previous and Next
// are not offered); every record the plot uses and the samples of Y are as
// they were afterwards.
void residual_plot(const ResidualSeries& series);

}  // namespace datrax
