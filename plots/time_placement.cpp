#include "plots/time_placement.h"

#include <algorithm>
#include <cmath>

namespace datrax {

namespace {

constexpr double kLowest = -2147483648.0, kHighest = 2147483647.0;

INTEGER shown_sets() { return std::clamp(sel.NDSETS, 1, MAXSET); }

INTEGER to_integer(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<INTEGER>(std::clamp(v, kLowest, kHighest));
}

}  // namespace

INTEGER set_without_start() {
    for (INTEGER k = 1; k <= shown_sets(); ++k)
        if (!std::isfinite(dset.start(k))) return k;
    return 0;
}

double seconds_per_position() {
    const double step = dset.interval_seconds(1);
    return step > 0.0 && std::isfinite(step) ? step : 0.0;
}

bool calendar_axis() {
    if (pp.ITUP != kCalendarUnit || set_without_start() != 0) return false;
    for (INTEGER k = 1; k <= shown_sets(); ++k)
        if (!(dset.interval_seconds(k) > 0.0) || !std::isfinite(dset.interval_seconds(k))) return false;
    return true;
}

double axis_origin() {
    double origin = dset.start(1);
    for (INTEGER k = 2; k <= shown_sets(); ++k) origin = std::min(origin, dset.start(k));
    return origin;
}

INTEGER Placement::nearest(double position) const {
    return to_integer(std::round((position - 1.0 - offset) / ratio) + 1.0);
}

void Placement::samples_within(INTEGER first, INTEGER last, INTEGER n, INTEGER& from, INTEGER& to) const {
    constexpr double kSlack = 1e-9;  // a sample exactly at a window edge belongs to the window
    from = std::max(to_integer(std::ceil((first - 1.0 - offset) / ratio - kSlack) + 1.0), 1);
    to = std::min(to_integer(std::floor((last - 1.0 - offset) / ratio + kSlack) + 1.0), std::min(n, MAXPTS));
}

Placement placement(INTEGER k) {
    if (!calendar_axis() || (k == 1 && shown_sets() == 1)) return {};
    Placement p;
    p.offset = (dset.start(k) - axis_origin()) / seconds_per_position();
    p.ratio = dset.interval_seconds(k) / seconds_per_position();
    return p;
}

INTEGER axis_length() {
    double last = 0.0;
    for (INTEGER k = 1; k <= shown_sets(); ++k) {
        const INTEGER n = std::clamp(dset.NPTS(k), 0, MAXPTS);
        if (n > 0) last = std::max(last, std::ceil(placement(k).position(n) - 1e-9));
    }
    return to_integer(last);
}

}  // namespace datrax
