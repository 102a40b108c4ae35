#include "plotlib/axes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/numbers.h"
#include "plotlib/coords.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax {

using plotlib_detail::plot;

namespace {

constexpr REAL kTextHeight = 0.14f;      // annotation and title
constexpr REAL kExponentHeight = 0.07f;  // the power of ten after "*10"
constexpr REAL kTickLength = 0.15f;
constexpr REAL kCharWidth = 0.125f;  // estimated annotation character width
constexpr REAL kHalfChar = 0.0625f;
constexpr REAL kTitleHalfChar = 0.07f;
constexpr int64_t kMostTicks = 10000;  // a bound for absurd division lengths

// Estimated width in characters of an annotation number (exponent form
// not counted).
REAL number_width(REAL value, INTEGER ndec) {
    const REAL m = ndec > 0 ? static_cast<REAL>(ndec) + 2.0f : ndec == 0 ? 2.0f : 1.0f;
    const REAL sign = value < 0.0f ? 1.0f : 0.0f;
    const REAL digits = static_cast<REAL>(plotlib_detail::truncate_int(std::log10(std::max(std::fabs(value), 1.0f))));
    return m + sign + digits;
}

// Tick count with an allowance of 0.01 inch for an axis a hair short of a
// whole division; a division of 0 or less (or not finite) gives the first
// tick only.
int64_t tick_count(REAL length, REAL div) {
    if (!(div > 0.0f) || !std::isfinite(div)) return 1;
    const REAL n = (length + div + 0.01f) / div;
    return std::clamp<int64_t>(plotlib_detail::truncate_int(n), 1, kMostTicks);
}

struct Frame {
    REAL c, s;  // axis direction
    bool vertical;
    REAL side;     // +1: annotation on the counter-clockwise side
    REAL tickdir;  // +1 for AXLEN >= 0
    // Page point of an offset (dx along the axis, dy across it) from (x, y).
    void turn(REAL x, REAL y, REAL dx, REAL dy, REAL& px, REAL& py) const {
        px = x + dx * c - dy * s;
        py = y + dx * s + dy * c;
    }
};

// Where the number of a tick starts (the number itself is drawn at 0
// degrees from there).
void number_origin(const Frame& f, REAL tx, REAL ty, REAL value, INTEGER ndec, REAL& px, REAL& py) {
    const REAL w = number_width(value, ndec);
    REAL dx = 0, dy = 0;
    if (!f.vertical) {
        dx = -w * f.c * kHalfChar;
        dy = (f.c * f.side < 0.0f ? 0.256f : 0.1f) + (f.tickdir > 0.0f ? 0.1f : 0.0f);
    } else {
        dx = -f.s * 0.078f;
        dy = (f.tickdir > 0.0f ? 0.2f : 0.1f) + (f.s * f.side > 0.0f ? w * kCharWidth : 0.0f);
    }
    dy *= f.side;
    f.turn(tx, ty, dx, dy, px, py);
}

// The page box a tick's number covers: one text height per character.
// Neighbouring numbers keep half a character apart, so that they read as two.
struct NumberBox {
    static constexpr REAL kGap = 0.5f * kTextHeight;
    REAL x1, y1, x2, y2;
    bool overlaps(const NumberBox& o) const {
        return x1 < o.x2 + kGap && o.x1 < x2 + kGap && y1 < o.y2 + kGap && o.y1 < y2 + kGap;
    }
};

NumberBox number_box(const Frame& f, REAL tx, REAL ty, REAL value, INTEGER ndec) {
    REAL px = 0, py = 0;
    number_origin(f, tx, ty, value, ndec, px, py);
    INTEGER nchar = 0;
    FMTNUM(value, ndec, plot.number_text, nchar);
    return {px, py, px + static_cast<REAL>(std::max(nchar, 0)) * kTextHeight, py + kTextHeight};
}

// Every how many ticks a number is written: 1 unless neighbouring numbers
// would overlap (wide numbers on short divisions), then the smallest step
// at which none does.
int64_t annotation_stride(const Frame& f, REAL x, REAL y, REAL div, const std::vector<REAL>& values, INTEGER ndec) {
    const int64_t n = static_cast<int64_t>(values.size());
    std::vector<NumberBox> boxes;
    boxes.reserve(values.size());
    for (int64_t i = 0; i < n; ++i) {
        const REAL along = static_cast<REAL>(i) * div;
        boxes.push_back(number_box(f, x + along * f.c, y + along * f.s, values[static_cast<size_t>(i)], ndec));
    }
    for (int64_t stride = 1; stride < n; ++stride) {
        bool apart = true;
        for (int64_t i = 0; i + stride < n && apart; i += stride)
            apart = !boxes[static_cast<size_t>(i)].overlaps(boxes[static_cast<size_t>(i + stride)]);
        if (apart) return stride;
    }
    return std::max<int64_t>(n, 1);
}

std::string_view number_text(REAL value, INTEGER ndec) {
    INTEGER nchar = 0;
    FMTNUM(value, ndec, plot.number_text, nchar);
    return plot.number_text.view().substr(0, static_cast<size_t>(std::max(nchar, 0)));
}

// The number written for VALUE says VALUE: it reads back within a thousandth
// of the step (or the precision of VALUE itself).
bool written_exactly(REAL value, REAL step, INTEGER ndec) {
    const std::string text(number_text(value, ndec));
    char* end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return true;  // nothing to read back ("*")
    const double tolerance =
        std::max(1e-3 * std::fabs(static_cast<double>(step)), 1e-6 * std::fabs(static_cast<double>(value)));
    return std::fabs(read - static_cast<double>(value)) <= tolerance;
}

// The numbers written every STRIDE ticks say their values and differ from
// one another.
bool labels_right(const std::vector<REAL>& values, int64_t stride, REAL step, INTEGER ndec) {
    std::string previous;
    for (size_t i = 0; i < values.size(); i += static_cast<size_t>(stride)) {
        if (!written_exactly(values[i], step, ndec)) return false;
        std::string text(number_text(values[i], ndec));
        if (i > 0 && text == previous) return false;
        previous = std::move(text);
    }
    return true;
}

// The decimals of the tick numbers and every how many ticks one is written:
// NDEC, or as many more as the written values need to be exact and to
// differ from their neighbours (a tick at 27.6 is not labelled 28). Values
// no number of decimals writes so keep NDEC.
struct Annotation {
    INTEGER ndec;
    int64_t stride;
};
Annotation annotation(const Frame& f, REAL x, REAL y, REAL div, const std::vector<REAL>& values, REAL step,
                      INTEGER ndec) {
    constexpr INTEGER kMostDecimals = 9;
    const Annotation asked{ndec, annotation_stride(f, x, y, div, values, ndec)};
    if (ndec >= kMostDecimals || labels_right(values, asked.stride, step, ndec)) return asked;
    for (INTEGER d = std::max(ndec + 1, 1); d <= kMostDecimals; ++d) {
        const Annotation more{d, annotation_stride(f, x, y, div, values, d)};
        if (labels_right(values, more.stride, step, d)) return more;
    }
    return asked;
}

void annotate_tick(const Frame& f, REAL tx, REAL ty, REAL value, INTEGER ndec) {
    REAL px = 0, py = 0;
    number_origin(f, tx, ty, value, ndec, px, py);
    PLTNUM(px, py, kTextHeight, value, 0.0f, ndec);
}

void draw_title(const Frame& f, REAL x, REAL y, std::string_view label, int64_t nch, REAL length, REAL next_value,
                INTEGER ndec, REAL expo) {
    const REAL w = number_width(next_value, ndec);
    const REAL t = static_cast<REAL>(nch + (expo != 0.0f ? 7 : 0));
    const REAL dx = length / 2.0f - t * kTitleHalfChar * (f.vertical ? f.s : f.c);
    REAL dy = f.tickdir > 0.0f ? 0.2f : 0.1f;
    if (!f.vertical)
        dy += (f.c * f.side < 0.0f ? 0.156f : 0.0f) + 0.156f + 0.125f;
    else
        dy += (f.s * f.side < 0.0f ? 0.175f : 0.0f) + w * kCharWidth + 0.175f;
    dy *= f.side;
    REAL px = 0, py = 0;
    f.turn(x, y, dx, dy, px, py);
    const REAL angle = f.vertical ? 90.0f : 0.0f;
    PLTSYM(px, py, kTextHeight, label, angle, static_cast<INTEGER>(nch));
    if (expo == 0.0f) return;
    const REAL along = static_cast<REAL>(nch) * kTextHeight * 1.25f;
    const REAL ex = f.vertical ? px : px + along;
    const REAL ey = f.vertical ? py + along : py;
    PLTSYM(ex, ey, kTextHeight, "*10", angle, 3);
    if (f.vertical)
        PLTNUM(ex - 0.112f, ey + 0.42f, kExponentHeight, expo, angle, -1);
    else
        PLTNUM(ex + 0.42f, ey + 0.112f, kExponentHeight, expo, angle, -1);
}

// The axis line from its far end back to the start, with a tick out and
// back at every division.
void draw_axis_line(const Frame& f, REAL x, REAL y, REAL length, REAL div, int64_t n, REAL axlen) {
    PENMOV(x + length * f.c, y + length * f.s, 3);
    const REAL tickside = axlen >= 0.0f ? f.side : -f.side;
    const REAL tvx = -f.s * tickside * kTickLength, tvy = f.c * tickside * kTickLength;
    for (int64_t i = n - 1; i >= 0; --i) {
        const REAL along = static_cast<REAL>(i) * div;
        const REAL tx = x + along * f.c, ty = y + along * f.s;
        PENMOV(tx, ty, 2);
        PENMOV(tx + tvx, ty + tvy, 2);
        PENMOV(tx, ty, 2);
    }
}

// A negative angle is brought into 0..360 as by adding 360 until it is
// not negative (an endless one becomes 0).
void normalise_angle(REAL& angle) {
    if (!(angle < 0.0f)) return;
    if (!std::isfinite(angle)) {
        angle = 0.0f;
        return;
    }
    angle = std::fmod(angle, 360.0f) + 360.0f;
    if (angle >= 360.0f) angle -= 360.0f;
}

void draw_axis(REAL X, REAL Y, std::string_view LABEL, INTEGER NCHAR, REAL AXLEN, REAL angle, REAL FIRSTV, REAL DELTAV,
               INTEGER asked_decimals, REAL EXPO, REAL DIV) {
    Frame f{};
    f.c = std::cos(angle / plotlib_detail::kDegreesPerRadian);
    f.s = std::sin(angle / plotlib_detail::kDegreesPerRadian);
    f.vertical = (angle > 45.0f && angle < 135.0f) || (angle > 225.0f && angle < 315.0f);
    f.side = NCHAR >= 0 ? 1.0f : -1.0f;
    f.tickdir = AXLEN >= 0.0f ? 1.0f : -1.0f;
    const int64_t nch = NCHAR < 0 ? -static_cast<int64_t>(NCHAR) : NCHAR;
    const REAL length = std::fabs(AXLEN);

    const REAL k = std::pow(10.0f, -EXPO);
    const REAL step = DELTAV * k;
    const int64_t n = tick_count(length, DIV);
    const REAL div = DIV > 0.0f && std::isfinite(DIV) ? DIV : 0.0f;
    std::vector<REAL> values(static_cast<size_t>(n));
    REAL value = FIRSTV * k;
    for (REAL& v : values) {
        v = value;
        value += step;
    }
    const Annotation a = annotation(f, X, Y, div, values, step, asked_decimals);
    const INTEGER NDEC = a.ndec;
    const int64_t stride = a.stride;
    for (int64_t i = 0; i < n; ++i) {
        const REAL along = static_cast<REAL>(i) * div;
        const REAL v = values[static_cast<size_t>(i)];
        if (i % stride == 0) annotate_tick(f, X + along * f.c, Y + along * f.s, v, NDEC);
        if (i == n / 2) draw_title(f, X, Y, LABEL, nch, length, v + step, NDEC, EXPO);
    }
    draw_axis_line(f, X, Y, length, div, n, AXLEN);
}

}  // namespace

void PLTNUM(const REAL& X, const REAL& Y, const REAL& HEIGHT, const REAL& VALUE, const REAL& ANGLE,
            const INTEGER& NDEC) {
    INTEGER nchar = 0;
    FMTNUM(VALUE, NDEC, plot.number_text, nchar);
    PLTSYM(X, Y, HEIGHT, plot.number_text.view().substr(0, static_cast<size_t>(std::max(nchar, 0))), ANGLE, nchar);
}

void PLTAXS(const REAL& X, const REAL& Y, std::string_view LABEL, const INTEGER& NCHAR, const REAL& AXLEN, REAL& ANGLE,
            const REAL& FIRSTV, const REAL& DELTAV, const INTEGER& NDEC, const REAL& EXPO, const REAL& DIV) {
    normalise_angle(ANGLE);
    draw_axis(X, Y, LABEL, NCHAR, AXLEN, ANGLE, FIRSTV, DELTAV, NDEC, EXPO, DIV);
}

void PLTAXS(const REAL& X, const REAL& Y, std::string_view LABEL, const INTEGER& NCHAR, const REAL& AXLEN,
            const REAL& ANGLE, const REAL& FIRSTV, const REAL& DELTAV, const INTEGER& NDEC, const REAL& EXPO,
            const REAL& DIV) {
    REAL angle = ANGLE;
    normalise_angle(angle);
    draw_axis(X, Y, LABEL, NCHAR, AXLEN, angle, FIRSTV, DELTAV, NDEC, EXPO, DIV);
}

}  // namespace datrax
