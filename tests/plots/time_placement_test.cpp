// Where the samples of two data sets lie on a calendar axis: placed by
// their starts and intervals, and exactly as before on any other axis.
#include "plots/time_placement.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/state.h"
#include "support/two_data_sets.h"

namespace datrax {
namespace {

class Placing : public ::testing::Test {
protected:
    Placing() {
        set_two_hourly_data_sets();
        pp.ITUP = kCalendarUnit;
    }
    ~Placing() override { reset_records(); }
};

TEST_F(Placing, ALaterStartAndALongerIntervalShiftAndStretchTheSamples) {
    ASSERT_TRUE(calendar_axis());
    EXPECT_TRUE(placement(1).identity());
    const Placement p = placement(2);
    EXPECT_EQ(p.position(1), 7.0);    // 06:00 is position 7 of set 1's hours
    EXPECT_EQ(p.position(30), 65.0);  // 29 two-hour steps later
    EXPECT_EQ(axis_length(), 65);
    // Window positions 10..20 hold samples 3..7 of set 2 (positions 11..19).
    INTEGER from = 0, to = 0;
    p.samples_within(10, 20, dset.NPTS(2), from, to);
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 7);
    // Edges that fall on samples belong to the window; outside the record none.
    p.samples_within(11, 19, dset.NPTS(2), from, to);
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 7);
    p.samples_within(1, 6, dset.NPTS(2), from, to);
    EXPECT_GT(from, to);
    EXPECT_EQ(p.nearest(12.0), 4);                          // between samples 3 (11) and 4 (13): halves go up
    EXPECT_EQ(p.nearest(-1e12), INTEGER{-2147483647 - 1});  // held to the INTEGER range
}

TEST_F(Placing, AnEarlierSecondSetMovesTheOriginToIt) {
    dset.start(2) = dset.start(1) - 2.0 * 3600.0;
    EXPECT_EQ(axis_origin(), dset.start(2));
    EXPECT_EQ(placement(1).position(1), 3.0);
    EXPECT_EQ(placement(2).position(1), 1.0);
}

TEST_F(Placing, EveryOtherCaseKeepsSampleIOfEverySetAtPositionI) {
    pp.ITUP = 3;
    EXPECT_TRUE(placement(2).identity());
    EXPECT_EQ(axis_length(), 48);
    pp.ITUP = kCalendarUnit;
    dset.start(2) = std::nan("");  // a start not known: no calendar axis
    EXPECT_EQ(set_without_start(), 2);
    EXPECT_FALSE(calendar_axis());
    EXPECT_TRUE(placement(2).identity());
    dset.start(2) = dset.start(1);
    dset.interval_seconds(1) = 0.0;  // no interval: no calendar axis either
    EXPECT_FALSE(calendar_axis());
    dset.interval_seconds(1) = std::nan("");  // a time unit that is not a standard one
    EXPECT_FALSE(calendar_axis());
}

}  // namespace
}  // namespace datrax
