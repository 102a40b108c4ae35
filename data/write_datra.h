// DATRA files of one series: title; count (I10) and interval (12 columns);
// data format, data unit and time unit (3A20); then five samples a line.
#pragma once
#include <string>

#include "data/write_data.h"
#include "data/write_text.h"

namespace datrax::writer {

// The samples go in 16 columns each under the format "(5e16.8)", each as the
// shortest text that reads back as the same REAL, a missing one as "NaN".
void write_datra(const SeriesOut& s, TextOut& out);

// The interval as 12 columns of text with a decimal point (a number
// without one would read as 10^-5 of itself), exact where 12 columns allow.
std::string datra_interval(REAL dt);

}  // namespace datrax::writer
