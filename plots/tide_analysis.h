// The tidal analysis of the current data set: the data menu's T command.
#pragma once
#include "app/state.h"

namespace datrax {

// Asks for the time window, the drift's degree and, when data set 2 holds a
// series on the same time grid, whether to fit a pressure admittance; fits
// the tides, shows the result, writes it as NAME.tid beside the data file
// and offers the residual's plot and its writing (with the fitted tide).
// Data without a known start are refused with the reason, as are windows
// that cannot be fitted.
void tide_analysis();

}  // namespace datrax
