// Where the samples of each data set lie on the time axis. The axis counts
// positions in data set 1's interval: normally sample i of every data set
// lies at position i. On a calendar axis (time unit 5) each data set is
// placed by its start and its own interval in seconds, so that data sets starting at
// different times are drawn in register; position 1 is then the earliest
// start of the data sets shown.
#pragma once
#include "app/state.h"

namespace datrax {

// The first data set shown whose start is not known, 0 when every one has
// a start.
INTEGER set_without_start();

// The time axis is drawn in calendar time: ITUP 5, and every data set shown
// has a start and an interval in a standard time unit of its own file.
bool calendar_axis();

// Seconds from one axis position to the next (data set 1's interval); 0
// when its time unit is not a standard one.
double seconds_per_position();

// Calendar time of axis position 1 (seconds since 1970 UTC; calendar axis only).
double axis_origin();

struct Placement {
    double offset = 0.0;  // axis position of sample 1, minus 1
    double ratio = 1.0;   // axis positions per sample
    bool identity() const { return offset == 0.0 && ratio == 1.0; }
    double position(INTEGER i) const { return 1.0 + offset + (static_cast<double>(i) - 1.0) * ratio; }
    // The sample nearest to an axis position (held to the INTEGER range).
    INTEGER nearest(double position) const;
    // The samples of a data set of N samples lying at positions FIRST..LAST
    // (empty when first > last).
    void samples_within(INTEGER first, INTEGER last, INTEGER n, INTEGER& from, INTEGER& to) const;
};

// Where data set K lies: the identity unless the axis is a calendar axis.
Placement placement(INTEGER k);

// The last axis position that holds a sample of a data set shown (NMAX).
INTEGER axis_length();

}  // namespace datrax
