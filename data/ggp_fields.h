// One GGP data line read by fields: the date (yyyymmdd), the time (hhmmss,
// leading zeros optional), then gravity and pressure separated by blanks or
// tabs, wherever their columns lie. The step "line -> time stamp and values"
// depends on nothing but the line, so lines can be converted in any order.
#pragma once
#include <cstdint>
#include <string_view>

#include "base/types.h"

namespace datrax {

enum class GgpLineKind {
    Data,      // a data line: time stamp and values
    Blank,     // nothing but blanks
    Skip,      // year 7777: a line to skip
    EndBlock,  // year 9999: the block ends
    EndFile,   // year 8888: the file ends
    Error,     // a field that cannot be read
};

// The fields of the data line last read. A line that fails leaves the fields
// it read in place and the others as the line before left them.
struct GgpRecord {
    INTEGER year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    REAL gravity = 0.0f, pressure = 0.0f;  // a missing value is a quiet NaN
    int64_t time = 0;                      // seconds since 1970-01-01 00:00:00 UTC
};

class GgpFieldReader {
public:
    // Reads one line into r. A line with gravity only has its pressure
    // missing; further fields are not read. Flags (9999.999) and NaN are
    // missing values.
    GgpLineKind read(std::string_view line, GgpRecord& r);

private:
    char date_[8] = {};     // the date of the last line, to skip converting it again
    int64_t day_start_ = 0;  // its seconds at 00:00:00
    bool have_date_ = false;
};

// A value of a field-separated line: a number (a sign inside it only after an
// exponent letter, so two values run together are an error) or NaN, which is
// missing; with flags, a flag value (9999.999) is missing too. False when it
// is none of them.
bool read_sample_value(std::string_view field, REAL& out, bool flags = true);

}  // namespace datrax
