// Calendar dates as seconds since 1970-01-01 00:00:00 UTC (the start of a
// data set), from the time stamps of station files and day-file names.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/types.h"

namespace datrax {

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
int64_t days_from_civil(int64_t year, int month, int day);

// True for a real date (month 1-12, day within its month).
bool valid_date(int64_t year, int month, int day);

// The seconds of a date and time; false for an impossible date or time
// (hour 0-23, minute 0-59, second 0-60).
bool epoch_seconds(int64_t year, int month, int day, int hour, int minute, int second, int64_t& out);

// The date of a day count (inverse of days_from_civil).
void civil_from_days(int64_t days, int64_t& year, int& month, int& day);

// Days in a month of a year (month 1-12).
int days_in_month(int64_t year, int month);

// A time of day on a date: the broken-down form of a count of seconds.
struct CivilTime {
    int64_t year = 1970;
    int month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The date and time of whole seconds since 1970 (before 1970 as well).
CivilTime civil_time(int64_t seconds);

// "2010-02-01 00:00:00"; "unknown" for NaN.
std::string format_start(double seconds);
// "2010-02-01 00:00" (seconds rounded to the nearest minute); "unknown" for NaN.
std::string format_minutes(double seconds);

// The zone the data's dates and times are counted in, as the calendar axis
// names it: the zone a dated list names ("UTC-5"), else "UTC".
std::string data_time_zone();

// Reads "yyyy-mm-dd hh:mm" (also "yyyy-mm-dd" for midnight and
// "yyyy-mm-dd hh:mm:ss"), blanks around it allowed; false for anything else
// or an impossible date.
bool parse_date_time(std::string_view text, int64_t& seconds);

// The start of a day file named by year of the century and day of the year
// in positions 2-6 of its base name (g24123.dat: day 123 of 2024; years
// 70-99 are 19xx). NaN when those positions are no such date.
double day_file_start(std::string_view path);

}  // namespace datrax
