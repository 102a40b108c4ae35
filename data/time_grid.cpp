#include "data/time_grid.h"

#include <cmath>
#include <cstdint>

namespace datrax {

int64_t TimeGrid::place(int64_t t) {
    if (lines_ == 0) {
        first_ = t;
        lines_ = 1;
        return 1;
    }
    if (interval_ == 0) {
        // The second line sets the interval; one at or before the first is skipped.
        if (t <= first_) {
            ++skipped_;
            return 0;
        }
        interval_ = t - first_;
        ++lines_;
        return 2;
    }
    // Most lines follow the last one by one interval.
    if (t == first_ + last_ * interval_) {
        ++lines_;
        return last_ + 1;
    }
    const double steps = std::round(static_cast<double>(t - first_) / static_cast<double>(interval_));
    const int64_t index = steps > 2147483646.0 ? INT32_MAX : steps < 0.0 ? 0 : static_cast<int64_t>(steps) + 1;
    if (index <= last_) {
        ++skipped_;
        return 0;
    }
    ++lines_;
    return index;
}

}  // namespace datrax
