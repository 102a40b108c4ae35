// Placing time-stamped lines into sample indices. The interval comes from
// the first two lines of increasing time (or is given); each line goes to
// the sample nearest its time stamp, counted from the first line. A line
// whose sample is not after the last one placed (its time goes back or
// repeats) is skipped and counted.
#pragma once
#include <cstdint>

#include "base/types.h"

namespace datrax {

class TimeGrid {
public:
    TimeGrid() = default;
    // A grid whose interval is known before the first line.
    explicit TimeGrid(int64_t interval) : interval_(interval) {}

    // The sample index (from 1) of a line at time t, held to the INTEGER
    // range; 0 when the line is to be skipped (counted in skipped()).
    int64_t place(int64_t t);
    // Records that samples up to index were filled.
    void filled_to(int64_t index) { last_ = index; }

    int64_t last() const { return last_; }            // highest sample placed
    int64_t interval() const { return interval_; }    // 0 while fewer than two lines
    int64_t first_time() const { return first_; }
    bool started() const { return lines_ > 0; }
    INTEGER skipped() const { return skipped_; }

private:
    int64_t first_ = 0;
    int64_t interval_ = 0;
    int64_t last_ = 0;
    int64_t lines_ = 0;
    INTEGER skipped_ = 0;
};

}  // namespace datrax
