// Calendar arithmetic and the round steps of a calendar time axis: the step
// each window gets, where its ticks fall and how they are labelled, one
// table row per step family.
#include "data/date_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "data/calendar.h"

namespace datrax {
namespace {

int64_t at(const char* text) {
    int64_t s = 0;
    EXPECT_TRUE(parse_date_time(text, s)) << text;
    return s;
}

// The labels of the ticks from T0 to T1 with about ten divisions, "|" between.
std::string labels(const char* t0, const char* t1, DateStep* step = nullptr) {
    const double a = static_cast<double>(at(t0)), b = static_cast<double>(at(t1));
    const DateStep s = date_step(b - a, 10);
    if (step) *step = s;
    std::string out;
    for (const DateTick& t : date_ticks(a, b, s)) out += (out.empty() ? "" : "|") + t.label;
    return out;
}

struct TickRow {
    const char* t0;
    const char* t1;
    DateStep step;
    const char* labels;
};

TEST(DateTicks, EachStepFamilyFallsOnRoundTimesWithItsLabels) {
    using U = DateUnit;
    const TickRow rows[] = {
        // seconds: the first tick carries the date
        {"2024-04-11 12:00:00",
         "2024-04-11 12:01:00",
         {U::Second, 10},
         "04-11 12:00:00|12:00:10|12:00:20|12:00:30|12:00:40|12:00:50|12:01:00"},
        // minutes, from inside a minute: ticks start at the next round one
        {"2024-04-11 11:58:30", "2024-04-11 13:00", {U::Minute, 10}, "04-11 12:00|12:10|12:20|12:30|12:40|12:50|13:00"},
        {"2024-04-11 10:00",
         "2024-04-11 12:30",
         {U::Minute, 15},
         "04-11 10:00|10:15|10:30|10:45|11:00|11:15|11:30|11:45|12:00|12:15|12:30"},
        // hours: a 10-hour window; midnight shows the date
        {"2024-03-11 06:00",
         "2024-03-11 16:00",
         {U::Hour, 1},
         "03-11 06:00|07:00|08:00|09:00|10:00|11:00|12:00|13:00|14:00|15:00|16:00"},
        {"2024-03-11 00:00", "2024-03-13 00:00", {U::Hour, 6}, "03-11|06:00|12:00|18:00|03-12|06:00|12:00|18:00|03-13"},
        {"2024-12-31 20:00",
         "2025-01-02 02:00",
         {U::Hour, 3},
         "12-31 21:00|01-01|03:00|06:00|09:00|12:00|15:00|18:00|21:00|01-02"},
        // days: 5 days on the 1st, 6th ... of each month, the 31st left out
        {"2024-03-01 00:00", "2024-03-31 23:00", {U::Day, 5}, "03-01|03-06|03-11|03-16|03-21|03-26"},
        {"2024-03-24 00:00", "2024-04-28 00:00", {U::Day, 5}, "03-26|04-01|04-06|04-11|04-16|04-21|04-26"},
        // 2 days across a month end; a leap-year February
        {"2024-02-20 00:00", "2024-03-08 00:00", {U::Day, 2}, "02-21|02-23|02-25|02-27|02-29|03-01|03-03|03-05|03-07"},
        {"2024-04-09 12:00", "2024-04-17 00:00", {U::Day, 1}, "04-10|04-11|04-12|04-13|04-14|04-15|04-16|04-17"},
        // weeks on Mondays (1 April 2024 was one), two weeks on every other
        {"2024-03-28 00:00", "2024-05-20 00:00", {U::Week, 1}, "04-01|04-08|04-15|04-22|04-29|05-06|05-13|05-20"},
        {"2024-03-01 00:00", "2024-06-20 00:00", {U::Week, 2}, "03-04|03-18|04-01|04-15|04-29|05-13|05-27|06-10"},
        // months and years on the first of the month
        {"2023-12-15 00:00",
         "2024-09-01 00:00",
         {U::Month, 1},
         "2024-01|2024-02|2024-03|2024-04|2024-05|2024-06|2024-07|2024-08|2024-09"},
        {"2023-11-15 00:00",
         "2025-03-01 00:00",
         {U::Month, 2},
         "2024-01|2024-03|2024-05|2024-07|2024-09|2024-11|2025-01|2025-03"},
        {"2014-06-01 00:00", "2024-01-01 00:00", {U::Month, 12}, "2015|2016|2017|2018|2019|2020|2021|2022|2023|2024"},
    };
    for (const TickRow& r : rows) {
        DateStep step;
        EXPECT_EQ(labels(r.t0, r.t1, &step), r.labels) << r.t0 << " .. " << r.t1;
        EXPECT_TRUE(step == r.step) << r.t0 << " .. " << r.t1 << ": step " << static_cast<int>(step.unit) << " x "
                                    << step.count;
    }
}

TEST(DateTicks, TicksStandAtTheirTimesAndStayBounded) {
    // Before 1970 as well: midnight of 1969-12-31 is -86400.
    const auto before = date_ticks(-2.5 * 86400.0, -0.5 * 86400.0, {DateUnit::Day, 1});
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[0].time, -2 * 86400);
    EXPECT_EQ(before[1].label, "12-31");
    // A window without a round time in it has no tick; a reversed or
    // undefined window neither.
    EXPECT_TRUE(date_ticks(at("2024-04-11 12:01"), at("2024-04-11 12:59"), {DateUnit::Hour, 1}).empty());
    EXPECT_TRUE(date_ticks(10.0, 5.0, {DateUnit::Second, 1}).empty());
    EXPECT_TRUE(date_ticks(0.0, 1e300, {DateUnit::Second, 1}).empty());
    // An enormous span takes the largest step; its ticks stay few.
    const DateStep widest = date_step(2e12, 10);
    EXPECT_TRUE(next_step(widest) == widest);
    EXPECT_LE(date_ticks(0.0, 2e12, widest).size(), 2000u);
}

struct DateRow {
    const char* text;
    bool ok;
    const char* shown;  // format_start of the result
};

TEST(Calendar, DatesAreReadAndWrittenBothWays) {
    const DateRow rows[] = {
        {"2024-04-11 12:30", true, "2024-04-11 12:30:00"},
        {"  2024-04-11  ", true, "2024-04-11 00:00:00"},
        {"2024-02-29 23:59:59", true, "2024-02-29 23:59:59"},
        {"1969-12-31 23:00", true, "1969-12-31 23:00:00"},
        {"2023-02-29 00:00", false, ""},
        {"2024-04-11 24:00", false, ""},
        {"2024-4-11 12:00", false, ""},
        {"2024-04-11T12:00", false, ""},
        {"2024-04-11 12:3x", false, ""},
        {"", false, ""},
    };
    for (const DateRow& r : rows) {
        int64_t s = 0;
        EXPECT_EQ(parse_date_time(r.text, s), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(format_start(static_cast<double>(s)), r.shown) << r.text;
        }
    }
    EXPECT_EQ(format_minutes(static_cast<double>(at("2024-04-11 12:30")) + 29.0), "2024-04-11 12:30");
    EXPECT_EQ(format_minutes(static_cast<double>(at("2024-12-31 23:59")) + 31.0), "2025-01-01 00:00");
    EXPECT_EQ(format_minutes(std::nan("")), "unknown");
    const CivilTime c = civil_time(at("2000-02-29 01:02:03"));
    EXPECT_EQ(c.year * 10000 + c.month * 100 + c.day, 20000229);
    EXPECT_EQ(c.hour * 10000 + c.minute * 100 + c.second, 10203);
}

}  // namespace
}  // namespace datrax
