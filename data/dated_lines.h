// The lines of a dated list, as loggers and spreadsheets write them: fields
// split by one separator (";", a tab, "," or blanks), a time stamp in the
// leading fields, then values. Stamps:
//   2016-07-03 11:45:00, 2016-07-03T11:45, 2016/07/03 11:45:00.250
//   03/07/2016 11:45:00, 3.07.2016 11:45, 7/3/2016 11:45 (day or month first)
//   20160703 114500, 16 07 03 11 45 00 (years 70-99 are 19xx),
//   1467546300 (seconds since 1970).
// A date and its clock time may share a field or stand in two.
#pragma once
#include <cstdint>
#include <string_view>

namespace datrax {

inline constexpr size_t kMaxListFields = 16;

// The fields of a line split by sep (' ' for runs of blanks and tabs; any
// other separator keeps empty fields and trims blanks around each, and a
// field in double quotes may hold the separator, as spreadsheets write it);
// at most kMaxListFields, the last holding the rest of the line. Returns the
// count.
size_t split_list_line(std::string_view line, char sep, std::string_view* out);

// The separator of a file, from its first data line: ";" or a tab when the
// line holds one, else "," when it holds one, else blanks.
char list_separator(std::string_view line);

enum class DateForm { None, YearFirst, YearLast, Compact, SixFields, Unix };

struct ListStamp {
    DateForm form = DateForm::None;
    size_t used = 0;  // fields the stamp takes
    // Milliseconds since 1970; for YearLast a key of the date's numbers in
    // writing order, made a time by year_last_time once the order is known.
    int64_t ms = 0;
    int first = 0, second = 0;  // YearLast: the two numbers before the year
};

// The stamp at the start of the fields; form None when there is none.
ListStamp read_list_stamp(const std::string_view* f, size_t n);

// A YearLast key as a time, with the day or the month first; false for an
// impossible date.
bool year_last_time(int64_t key, bool day_first, int64_t& ms);

// A value field: a number (with a decimal comma where commas do not
// separate fields), or empty or NaN for a missing value.
bool read_list_value(std::string_view field, bool decimal_comma, float& out);

}  // namespace datrax
