// CSV files of one or two series: a header line naming the columns, then a
// line per time with the time stamp and a value per series.
#pragma once
#include <span>

#include "data/write_data.h"
#include "data/write_text.h"

namespace datrax::writer {

// Dated series (every start known) get "yyyy-mm-dd hh:mm:ss" stamps in the
// first series' zone, written in the header as "time[UTC+10]" when it is no
// UTC; otherwise the time from the first sample in the data's time unit. Two
// series share one time grid: a series without a sample at a time leaves
// its cell empty, as a missing sample does.
void write_csv(std::span<const SeriesOut> sets, TextOut& out);

// The header cell of a series: its title (or name) and unit in brackets,
// quoted when it holds a comma, a quote or a line end.
std::string csv_column_name(const SeriesOut& s);

}  // namespace datrax::writer
