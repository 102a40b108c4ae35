// Round steps of a calendar time axis (UTC): the step for a window, the
// ticks at round times within it and their labels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace datrax {

enum class DateUnit { Second, Minute, Hour, Day, Week, Month };

struct DateStep {
    DateUnit unit = DateUnit::Hour;
    int count = 1;  // units per step
    bool operator==(const DateStep&) const = default;
};

// The length of a step in seconds (a month counted as an average month).
double step_seconds(DateStep step);

// The smallest round step that divides SPAN seconds into at most DIVISIONS
// steps (DIVISIONS held to 1..1000): 1, 2, 5, 10, 15, 30 seconds or
// minutes; 1, 2, 3, 6, 12 hours; 1, 2, 5 days; 1, 2 weeks; 1, 2, 3, 6
// months; 1, 2, 5, 10 ... years.
DateStep date_step(double span, int divisions);
// The next larger step of that table (the largest stays).
DateStep next_step(DateStep step);

struct DateTick {
    int64_t time = 0;   // seconds since 1970-01-01 00:00:00 UTC
    std::string label;  // "12:00", "04-11", "04-11 12:00", "2024-04", "2024"
};

// The ticks at round times of the step from T0 to T1 (seconds, both
// included). Steps under a day fall on whole multiples within the day,
// 2 and 5 days on days 1, 1 + n, ... of each month (a last one too close
// to the next month's first is left out), weeks on Mondays, months and years
// on the first of the month. Labels: the time of day for steps under a day
// ("mm-dd" at midnight, "mm-dd hh:mm" at the first tick so the window's date
// shows), "mm-dd" for days and weeks, "yyyy-mm" for months, "yyyy" for years.
std::vector<DateTick> date_ticks(double t0, double t1, DateStep step);

}  // namespace datrax
