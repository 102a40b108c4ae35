#include "data/date_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "data/calendar.h"

namespace datrax {

namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kMonday = 4 * kDay;        // 1970-01-05, the first Monday
constexpr double kMonth = 30.436875 * kDay;  // an average month of the Gregorian calendar
constexpr size_t kMostTicks = 2000;          // a bound for windows far beyond any data set

constexpr DateStep kSteps[] = {
    {DateUnit::Second, 1},   {DateUnit::Second, 2},   {DateUnit::Second, 5},   {DateUnit::Second, 10},
    {DateUnit::Second, 15},  {DateUnit::Second, 30},  {DateUnit::Minute, 1},   {DateUnit::Minute, 2},
    {DateUnit::Minute, 5},   {DateUnit::Minute, 10},  {DateUnit::Minute, 15},  {DateUnit::Minute, 30},
    {DateUnit::Hour, 1},     {DateUnit::Hour, 2},     {DateUnit::Hour, 3},     {DateUnit::Hour, 6},
    {DateUnit::Hour, 12},    {DateUnit::Day, 1},      {DateUnit::Day, 2},      {DateUnit::Day, 5},
    {DateUnit::Week, 1},     {DateUnit::Week, 2},     {DateUnit::Month, 1},    {DateUnit::Month, 2},
    {DateUnit::Month, 3},    {DateUnit::Month, 6},    {DateUnit::Month, 12},   {DateUnit::Month, 24},
    {DateUnit::Month, 60},   {DateUnit::Month, 120},  {DateUnit::Month, 240},  {DateUnit::Month, 600},
    {DateUnit::Month, 1200}, {DateUnit::Month, 2400}, {DateUnit::Month, 6000}, {DateUnit::Month, 12000},
};

int64_t floor_div(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t ceil_div(int64_t a, int64_t b) { return -floor_div(-a, b); }

std::string printed(const char* format, long long a, int b = 0, int c = 0, int d = 0) {
    char t[48];
    std::snprintf(t, sizeof t, format, a, b, c, d);
    return t;
}

std::string label(int64_t time, DateStep step, bool first) {
    const CivilTime c = civil_time(time);
    switch (step.unit) {
        case DateUnit::Second:
            if (time % kDay == 0) return printed("%02lld-%02d", c.month, c.day);
            if (first)
                return printed("%02lld-%02d %02d:%02d", c.month, c.day, c.hour, c.minute) +
                       printed(":%02lld", c.second);
            return printed("%02lld:%02d:%02d", c.hour, c.minute, c.second);
        case DateUnit::Minute:
        case DateUnit::Hour:
            if (time % kDay == 0) return printed("%02lld-%02d", c.month, c.day);
            if (first) return printed("%02lld-%02d %02d:%02d", c.month, c.day, c.hour, c.minute);
            return printed("%02lld:%02d", c.hour, c.minute);
        case DateUnit::Day:
        case DateUnit::Week: return printed("%02lld-%02d", c.month, c.day);
        case DateUnit::Month:
            if (step.count % 12 == 0) return printed("%04lld", c.year);
            return printed("%04lld-%02d", c.year, c.month);
    }
    return {};
}

// Multiples of a fixed length, shifted by an origin, from t0 to t1.
std::vector<int64_t> regular(int64_t t0, int64_t t1, int64_t length, int64_t origin) {
    std::vector<int64_t> times;
    for (int64_t t = ceil_div(t0 - origin, length) * length + origin; t <= t1 && times.size() < kMostTicks; t += length)
        times.push_back(t);
    return times;
}

// Days 1, 1 + n, 1 + 2n ... of each month; a day whose next tick would be
// less than half a step away (the first of the next month) is left out.
std::vector<int64_t> month_days(int64_t t0, int64_t t1, int n) {
    std::vector<int64_t> times;
    for (int64_t day = ceil_div(t0, kDay); day * kDay <= t1 && times.size() < kMostTicks; ++day) {
        int64_t y = 0;
        int m = 0, d = 0;
        civil_from_days(day, y, m, d);
        const int to_next_month = days_in_month(y, m) + 1 - d;
        if ((d - 1) % n == 0 && (d == 1 || 2 * to_next_month >= n)) times.push_back(day * kDay);
    }
    return times;
}

// The first of every n-th month (counted from January of year 0).
std::vector<int64_t> months(int64_t t0, int64_t t1, int n) {
    std::vector<int64_t> times;
    const CivilTime c = civil_time(t0);
    int64_t index = c.year * 12 + (c.month - 1);  // months since January of year 0
    if (c.day != 1 || c.hour != 0 || c.minute != 0 || c.second != 0) ++index;
    for (index = ceil_div(index, n) * n; times.size() < kMostTicks; index += n) {
        const int64_t t =
            days_from_civil(floor_div(index, 12), static_cast<int>(index - floor_div(index, 12) * 12) + 1, 1) * kDay;
        if (t > t1) break;
        times.push_back(t);
    }
    return times;
}

}  // namespace

double step_seconds(DateStep step) {
    switch (step.unit) {
        case DateUnit::Second: return step.count;
        case DateUnit::Minute: return 60.0 * step.count;
        case DateUnit::Hour: return 3600.0 * step.count;
        case DateUnit::Day: return static_cast<double>(kDay) * step.count;
        case DateUnit::Week: return 7.0 * kDay * step.count;
        case DateUnit::Month: return kMonth * step.count;
    }
    return 1.0;
}

DateStep date_step(double span, int divisions) {
    const double n = std::clamp(divisions, 1, 1000);
    for (const DateStep& s : kSteps)
        if (span / step_seconds(s) <= n) return s;
    return *std::prev(std::end(kSteps));
}

DateStep next_step(DateStep step) {
    const auto* it = std::find(std::begin(kSteps), std::end(kSteps), step);
    return it == std::end(kSteps) || it + 1 == std::end(kSteps) ? step : *(it + 1);
}

std::vector<DateTick> date_ticks(double t0, double t1, DateStep step) {
    constexpr double kLargest = 1e13;  // seconds: the calendar's range here
    if (!(t0 <= t1) || std::fabs(t0) > kLargest || std::fabs(t1) > kLargest) return {};
    const auto a = static_cast<int64_t>(std::ceil(t0)), b = static_cast<int64_t>(std::floor(t1));
    std::vector<int64_t> times;
    switch (step.unit) {
        case DateUnit::Day: times = step.count == 1 ? regular(a, b, kDay, 0) : month_days(a, b, step.count); break;
        case DateUnit::Week: times = regular(a, b, 7 * kDay * step.count, kMonday); break;
        case DateUnit::Month: times = months(a, b, step.count); break;
        default: times = regular(a, b, static_cast<int64_t>(step_seconds(step)), 0); break;
    }
    std::vector<DateTick> ticks;
    ticks.reserve(times.size());
    for (const int64_t t : times) ticks.push_back({t, label(t, step, ticks.empty())});
    return ticks;
}

}  // namespace datrax
