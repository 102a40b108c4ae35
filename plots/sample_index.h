// Sample indices computed from page or time quotients.
#pragma once
#include <algorithm>
#include <cmath>

#include "app/state.h"

namespace datrax {

// NINT(Q) + OFFSET (NINT rounds half away from zero). Q is held to the
// INTEGER range before rounding and the sum saturates, so huge or undefined
// quotients give the farthest index instead of overflowing; NaN counts as 0.
inline INTEGER sample_index(REAL Q, INTEGER OFFSET) {
    constexpr double lo = -2147483648.0, hi = 2147483647.0;
    const double q = std::isnan(Q) ? 0.0 : std::round(std::clamp(static_cast<double>(Q), lo, hi));
    return static_cast<INTEGER>(std::clamp(q + OFFSET, lo, hi));
}

}  // namespace datrax
