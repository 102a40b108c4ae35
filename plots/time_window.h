// The questions that choose which samples a command takes and how they are
// smoothed, asked alike by the time-series plot, the spectrum and the
// writing of a data file.
#pragma once
#include "app/state.h"

namespace datrax {

// "Fixed Time Limits [y/n]"; when fixed, the limits: dates on a calendar
// axis, numbers of the plotting time unit otherwise. TLO and THI are times
// of the plotting time unit from the start of the axis.
void ask_fixed_time_limits(LOGICAL& FIXED, REAL& TLO, REAL& THI);

// The samples FIRST..LAST of data set K that lie within TLO..THI (the whole
// record when not FIXED, or when time has no scale): on a calendar axis by
// the set's own place on it, otherwise by its own interval. Empty when
// FIRST > LAST.
void time_window_samples(INTEGER K, bool FIXED, REAL TLO, REAL THI, INTEGER& FIRST, INTEGER& LAST);

// "Filter Length, [default 1]": sets NF (held to the most weights) and NH.
void ask_filter_length();

}  // namespace datrax
