// One GGP data line. A line that fits the stated columns (year 1-4, month
// 5-6, day 7-8, hour, minute and second 10-15, gravity 16-25 and pressure
// 26-35, both F10.6) is read by them: blanks inside a field are ignored, a
// value without a point has six implied decimals, a blank value field is a
// missing value of its column, and what lies after column 35 is not read.
// A line that does not fit them (values at other positions, single blanks,
// tabs) is read by fields: the date (yyyymmdd), the time (hhmmss, leading
// zeros optional), then gravity and pressure. The step "line -> time stamp
// and values" depends on nothing but the line (and the month of the line
// before when the month columns are blank), so lines convert in any order.
#pragma once
#include <cstdint>
#include <string_view>

#include "base/types.h"
#include "records/field_conversion.h"
#include "records/field_pairs.h"

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
    bool month_given = true;               // false: the month columns were blank, the line before's month taken
};

class GgpFieldReader {
public:
    // Reads one line into r. A line with gravity only has its pressure
    // missing; further fields are not read. Flags (9999.999) and NaN are
    // missing values. Dates and times are checked only as far as placing
    // the line needs: hour 24 is the next day's midnight.
    GgpLineKind read(std::string_view line, GgpRecord& r);
    // The common line the quick way: in the shape stations write, of the
    // date of the line read last, and its values plain numbers with their
    // points where that line had them. Its stamp (milliseconds since 1970)
    // and values are what read() would give, but no record is filled, and
    // the reader is left as it was: read() can take the same line after
    // it. False for any other line.
    bool read_plain(std::string_view line, int64_t& ms, REAL& gravity, REAL& pressure) const;
    // Goes on as if it had read the data line that left r: a next line with
    // blank month columns takes r's month.
    void follow(const GgpRecord& r) { month_ = r.month; }

private:
    GgpLineKind read_fixed(std::string_view line, GgpRecord& r);
    // A line in the shape stations write (digits where the date and time
    // go, values ending in their last columns) by the stated columns.
    GgpLineKind read_written(std::string_view line, GgpRecord& r);
    GgpLineKind read_fields(std::string_view line, GgpRecord& r);
    bool set_time(std::string_view date, INTEGER month, GgpRecord& r);

    char date_[8] = {};      // the date columns of the last line, to skip converting them again
    int64_t day_start_ = 0;  // its seconds at 00:00:00
    bool have_date_ = false;
    INTEGER month_ = 1;  // the last month read, for lines whose month columns are blank
    // Where the points of the two value columns stood in the last line,
    // and what the two columns taken at once expect of them.
    PointPlace gravity_point_{6}, pressure_point_{6};
    const FieldPair& value_pair_ = value_pair();
    PairPoints value_points_ = expect_values(gravity_point_, pressure_point_);

    static const FieldPair& value_pair();
    PairPoints expect_values(PointPlace gravity, PointPlace pressure) const;
    bool read_whole_column_values(std::string_view line, GgpRecord& r);
};

// True when a line can be read by the stated columns: no tab, and no token
// crosses from one field into the next; a field holding more than one token
// (a value with a blank inside) ends in its last column, as written values do.
bool fits_ggp_columns(std::string_view line);

// A value of a field-separated line: a number (a sign inside it only after an
// exponent letter, so two values run together are an error) or NaN, which is
// missing; with flags, a flag value (9999.999) is missing too. False when it
// is none of them.
bool read_sample_value(std::string_view field, REAL& out, bool flags = true);

}  // namespace datrax
