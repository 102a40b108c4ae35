// The samples a command takes within fixed time limits: each data set by
// its own interval, or on a calendar axis by its place on it.
#include "plots/time_window.h"

#include <gtest/gtest.h>

#include "app/state.h"
#include "support/two_data_sets.h"

namespace datrax {
namespace {

class TimeWindow : public ::testing::Test {
protected:
    TimeWindow() {
        set_two_hourly_data_sets();
        dset.TSCALE = 1.0f;  // plotted in hours
    }
    ~TimeWindow() override { reset_records(); }

    std::pair<INTEGER, INTEGER> window(INTEGER k, bool fixed, REAL lo, REAL hi) {
        INTEGER first = -1, last = -1;
        time_window_samples(k, fixed, lo, hi, first, last);
        return {first, last};
    }
};

TEST_F(TimeWindow, EachDataSetByItsOwnIntervalOffTheCalendar) {
    const std::pair<INTEGER, INTEGER> whole1{1, 48}, whole2{1, 30};
    EXPECT_EQ(window(1, false, 9.0f, 19.0f), whole1);
    EXPECT_EQ(window(2, false, 9.0f, 19.0f), whole2);
    EXPECT_EQ(window(1, true, 9.0f, 19.0f), std::make_pair(10, 20));
    EXPECT_EQ(window(2, true, 9.0f, 19.0f), std::make_pair(6, 11));  // hours 10 to 20 of its own
    EXPECT_EQ(window(1, true, -5.0f, 100.0f), whole1);               // held to the record
    const auto beyond = window(1, true, 60.0f, 70.0f);
    EXPECT_GT(beyond.first, beyond.second);
    dset.TSCALE = 0.0f;  // time without a scale: the whole record
    EXPECT_EQ(window(1, true, 9.0f, 19.0f), whole1);
}

TEST_F(TimeWindow, OnTheCalendarAxisByEachSetsPlace) {
    pp.ITUP = kCalendarUnit;
    // 09:00 to 19:00 of the first day: set 2 began at 06:00, two-hourly.
    EXPECT_EQ(window(1, true, 9.0f, 19.0f), std::make_pair(10, 20));
    EXPECT_EQ(window(2, true, 9.0f, 19.0f), std::make_pair(3, 7));  // 10:00, 12:00 ... 18:00
    const auto before = window(2, true, 0.0f, 5.0f);
    EXPECT_GT(before.first, before.second);  // nothing of set 2 before 06:00
}

}  // namespace
}  // namespace datrax
