// Time units: the conversion table, recognition of the data's time unit,
// and the default axis titles with the time scaling factor.
#pragma once
#include <string_view>

#include "app/state.h"

namespace datrax {

// Fills TFAC and measures the plot subtitles (once at start-up).
void TFACTS();
// Recognises TUNIT after a file was read; asks whether to keep a
// nonstandard unit. Returns 0 when accepted, 1 when the user refuses.
INTEGER TUNITS();
// After a file reached by stepping through a series (Previous, Next): takes
// its time unit silently when it is not SHOWN_UNIT (the unit of the data
// drawn so far), keeping the plotting unit ITUP, and rebuilds the axis
// titles and TSCALE for it. A nonstandard unit counts as user units.
void follow_stepped_units(const Text<20>& shown_unit);
// Rebuilds the default axis titles, their lengths and TSCALE.
void AXLABS();
// Seconds in one of a file's time units ("sec", "MIN ", "hr", ...); NaN for
// a unit that is not a standard one.
double seconds_per_time_unit(std::string_view unit);

}  // namespace datrax
