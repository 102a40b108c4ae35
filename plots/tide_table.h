// The table of a tidal analysis: the lines shown on the result screen and
// written as NAME.tid beside the data file, in fixed columns.
#pragma once
#include <string>
#include <vector>

#include "data/tide_fit.h"

namespace datrax {

// What the table says about the data besides the fit.
struct TideTableSource {
    std::string title, file;             // data set title and data file name
    std::string unit, pressure_unit;     // data unit and pressure unit texts
    double start = 0.0, interval = 0.0;  // time of the window's first sample (seconds since 1970 UTC), seconds apart
    double latitude = 0.0;               // NaN when the file gives none
    bool gravity_unit = false;           // the data unit is one of gravity
};

// The table's lines, none longer than 79 characters, without line ends.
std::vector<std::string> tide_table_lines(const TideTableSource& src, const TideFit& fit);

}  // namespace datrax
