// Conversions shared by the library's routines: page inches to plotter
// units, which back ends the current device uses, angles, line masks.
#pragma once
#include <cmath>
#include <cstdint>

#include "plotlib/plotlib.h"

namespace datrax::plotlib_detail {

constexpr REAL kDegreesPerRadian = 57.29578f;

constexpr uint16_t kSolidMask = 0xFFFF;
constexpr uint16_t kDottedMask = 0xAAAA;
constexpr uint16_t kDashedMask = 0xFF00;

// Screen line mask of a pen code's last digit (or a line mode): 2 solid,
// 5 dotted, 6 dashed, any other the given one.
inline uint16_t line_mask(INTEGER code, uint16_t otherwise) {
    return code == 2 ? kSolidMask : code == 5 ? kDottedMask : code == 6 ? kDashedMask : otherwise;
}

// Truncation toward zero that never overflows: values beyond the INTEGER
// range (and NaN) saturate, so they come out as overflow fields or
// off-screen pixels instead of undefined behaviour.
inline INTEGER truncate_int(REAL v) {
    if (!(v > -2147483648.0f)) return INT32_MIN;  // also NaN
    if (!(v < 2147483648.0f)) return INT32_MAX;
    return static_cast<INTEGER>(v);
}

// Nearest integer (halves away from zero), saturating like truncate_int.
inline INTEGER nearest_int(REAL v) { return truncate_int(std::round(v)); }

// Colour index 0..15 of any INTEGER: |c| mod 16, without overflow.
inline int colour_index(INTEGER c) { return static_cast<int>((c < 0 ? -static_cast<int64_t>(c) : c) % 16); }

inline INTEGER plotter_x(REAL x) { return truncate_int(static_cast<REAL>(plot.HPX1) + (x - plot.XLO) * plot.HXIN); }
inline INTEGER plotter_y(REAL y) { return truncate_int(static_cast<REAL>(plot.HPY1) + (y - plot.YLO) * plot.HYIN); }

// The screen is drawn on for devices 2 and 12; the plot file is written for
// every device but 2 (device 0 counts as the plot file).
inline bool screen_in_use() { return plot.IDEV == 2 || plot.IDEV == 12; }
inline bool file_device() { return plot.IDEV != 2; }

}  // namespace datrax::plotlib_detail
