// Writing data sets to files that other programs, and this one, read back:
// CSV, DATRA and GGP, chosen by the extension of the name. A writer takes
// series, not the program-wide slots, so any result of the program (a
// filtered window, a residual) can be written the same way.
#pragma once
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "base/types.h"

namespace datrax {

// One data set to write.
struct SeriesOut {
    std::span<const REAL> samples;  // the values; a missing sample is a NaN
    double start =
        std::numeric_limits<double>::quiet_NaN();  // time of the first sample: seconds since 1970 UTC, NaN when unknown
    double interval_seconds =
        std::numeric_limits<double>::quiet_NaN();  // seconds between samples, NaN when the time unit is no standard one
    REAL dt = 1.0f;                                // the interval in time_unit
    std::string time_unit;                         // the time unit as the data name it ("min", "sec", "hr" ...)
    std::string unit;                              // the data unit ("microgal")
    std::string title;                             // the title, or the file name when there is none
    int zone_minutes = 0;                          // local time of the data: minutes east of UTC (0 for UTC)
};

enum class DataFileKind {
    Csv,    // ".csv" and every other extension: time and value columns
    Datra,  // ".dat": the DATRA layout
    Ggp,    // ".ggp": a GGP station file of a gravity and pressure pair
};

// The kind a file name asks for, by its extension (any case).
DataFileKind data_file_kind(std::string_view name);

struct WriteOutcome {
    bool written = false;
    int64_t samples = 0;  // samples written, of every series
    int64_t missing = 0;  // of them, samples written as missing
    std::string reason;   // why nothing was written
};

// Writes one or two series as PATH, replacing it whole only once every byte
// is on the disk. Two series go to a CSV (one time grid, a column each) or
// a GGP file (gravity, pressure); a DATRA file holds one. A GGP file needs
// two series of the same known start, count and whole-second interval.
WriteOutcome write_data_file(const std::string& path, std::span<const SeriesOut> sets);

}  // namespace datrax
