// The values at marks: the text the bottom row shows after "Index = ", and
// the table of a saved plot's marks written beside the plot file.
#pragma once
#include <string>
#include <string_view>

#include "app/state.h"

namespace datrax {

// The data set a pick at page height Y reads: the lower area of separate
// plots is data set 2, everything else data set 1.
INTEGER marked_set(REAL y);
// The present sample nearest to INDEX in data set K (INDEX itself when it
// is present; 0 when the set has no present sample).
INTEGER present_sample(INTEGER index, INTEGER k);
// "   t = 257.0000 hour   y = 51.0519 microgal" for a time and a value of
// sample INDEX of set K (without the value part when it is NaN); on a
// calendar axis "   y = 51.0519 microgal   t = 2024-03-11 17:00:00". VALUE
// is the value drawn; a RAW sample that differs from it (a filtered curve)
// follows it as " (raw 41782.0000)".
std::string mark_values_text(REAL time, REAL value, REAL raw, INTEGER index, INTEGER k);
// The calendar time (UTC) of sample INDEX of data set K,
// "2024-03-16 11:00:00"; empty when the start of the data set or its time
// unit is not known.
std::string calendar_time(INTEGER index, INTEGER k);
// The table of the marks in plotw's list: a header line, then one line per
// mark with index, time, value and the value's unit.
std::string mark_table();
// Ends the save of a time-series plot: completes the open plot file's
// drawing, then, with marks in the list, asks for the table's name beside
// it (same base name, extension ".mrk", with the overwrite question) and,
// without marks, whether an existing table of that name may go; then puts
// the plot in place, and the table after it (or deletes the earlier one).
// Every question and message comes before the plot is put in place, so a
// run that ends at one leaves the old plot and table as they were; a plot
// that is not written (null device, failure) leaves the table alone. The
// mark list is then empty.
void close_plot_with_marks();

}  // namespace datrax
