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

// "2010-02-01 00:00:00"; "unknown" for NaN.
std::string format_start(double seconds);

// The start of a day file named by year of the century and day of the year
// in positions 2-6 (g24123.dat: day 123 of 2024; years 70-99 are 19xx). NaN
// when those positions are no such date.
double day_file_start(std::string_view name);

}  // namespace datrax
