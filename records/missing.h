// Missing samples: a time the file gives no line for, a missing-value flag,
// or the text NaN. They are kept in Y as a quiet NaN, and every routine that
// reads samples asks is_missing() and skips them (or lifts the pen).
#pragma once
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

#include "base/types.h"

namespace datrax {

inline constexpr REAL kMissing = std::numeric_limits<REAL>::quiet_NaN();

inline bool is_missing(REAL v) { return std::isnan(v); }

// "NaN" in any case, with blanks around it.
bool is_nan_text(std::string_view field);

// A missing-value flag of station files: digits that are all 9, at least
// four of them before the point (9999.999, 99999.9999, 9999).
bool is_flag_value(std::string_view field);

// The missing samples among the samples.
int64_t count_missing(std::span<const REAL> samples);

}  // namespace datrax
