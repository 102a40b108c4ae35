#include "plots/curves.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "data/filter.h"
#include "platform/window.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"
#include "plots/time_placement.h"
#include "records/missing.h"

namespace datrax {

namespace {

static_assert(kMaxWeights == kMaxWeights, "the plot keeps exactly the weights the filter builds");

constexpr INTEGER kPresentEvery = 1 << 20;  // samples between showing a long drawing's progress

// How data values of one data set map onto its plot area.
struct CurveMap {
    REAL scale, base, top, low;
};

CurveMap curve_map(const SeriesDrawing& d, INTEGER k) {
    CurveMap m{d.scale1, pp.YMIN, pp.YMAX, plotw.YLO1};
    if (!separate_areas()) return m;
    if (k == 1) {
        m.base = kUpperBase;
    } else {
        m.scale = d.scale2;
        m.top = kLowerTop;
        m.low = plotw.YLO2;
    }
    return m;
}

// The parameter menu does not range-check LTYP; a code outside the pen codes
// of a curve (999 would end the plot, negatives move the page origin) draws
// solid.
INTEGER curve_pen(INTEGER ltyp) { return ltyp >= 0 && ltyp <= 19 ? ltyp : 2; }

// Raised to the base, then lowered to the top; an undefined value lies on
// the base.
REAL clamp_to_area(REAL y, const CurveMap& m) {
    if (!(y >= m.base)) y = m.base;
    if (y > m.top) y = m.top;
    return y;
}

void draw_marker(REAL x, REAL y, INTEGER k) {
    if (pp.ZCOL) PENCOL(std::as_const(pp.ISCOL(k)));
    const char code = static_cast<char>(pp.ISYM(k));
    PLTSYM(x, y, pp.SIZE(k), std::string_view(&code, 1), 0.0f, -1);
    if (pp.ZCOL) PENCOL(std::as_const(pp.LCOL(k)));
}

// The page positions of the samples of one curve.
struct CurvePoints {
    const SeriesDrawing& d;
    CurveMap m;
    const REAL* samples;
    INTEGER k;
    bool filtered;
    Placement place;  // where the samples lie on the time axis
    INTEGER first;    // first sample drawn

    // PLACED: the samples lie by their start and interval, not at their
    // index (a choice made once per curve, outside the sample loop).
    template <bool Placed>
    REAL x(INTEGER i) const {
        if constexpr (Placed)
            return static_cast<REAL>(place.position(i) - static_cast<double>(plotw.I1)) * d.DXI + pp.XMIN;
        else
            return static_cast<REAL>(static_cast<int64_t>(i) - plotw.I1) * d.DXI + pp.XMIN;
    }
    // The sample (or its filtered value) at i; NaN where it is missing.
    REAL value(INTEGER i) const { return filtered ? filtered_value(plotw.W, i, k) : samples[i - 1]; }
    REAL y(REAL v) const { return clamp_to_area((v - m.low) * m.scale + m.base, m); }
};

// A present sample with no present neighbour: a pen move alone would leave
// nothing on the page, so it is drawn as a dot (a solid stroke of no length)
// in the curve's colour.
void draw_dot(REAL x, REAL y) { PENMOV(x, y, 2); }

// Shows a long drawing's progress after every kPresentEvery samples.
void present_now_and_then(const CurvePoints& c, INTEGER i) {
    if ((i - c.first) % kPresentEvery == kPresentEvery - 1 && c.d.output == kOutputScreen) platform::window().present();
}

// Every sample its own pen moves: feather strokes and markers. The pen goes
// up at the start and across missing samples.
template <bool Placed>
void draw_decorated(const CurvePoints& c, INTEGER last, INTEGER pen, bool feather) {
    bool lifted = true;
    for (INTEGER i = c.first; i <= last; ++i) {
        const REAL v = c.value(i);
        if (is_missing(v)) {
            lifted = true;
            present_now_and_then(c, i);
            continue;
        }
        const REAL x = c.x<Placed>(i), y = c.y(v);
        PENMOV(x, y, lifted ? 3 : pen);
        if (lifted && (i == last || is_missing(c.value(i + 1)))) draw_dot(x, y);
        lifted = false;
        if (feather) {
            PENMOV(x, c.m.base, pen);
            PENMOV(x, y, 3);
        }
        if (pp.ISYM(c.k) >= 0) draw_marker(x, y, c.k);
        present_now_and_then(c, i);
    }
}

// A plain line through the samples, handed to the pen in runs; the pen goes
// up at the start and across missing samples.
template <bool Placed>
void draw_line(const CurvePoints& c, INTEGER last, INTEGER pen) {
    constexpr size_t kRun = 4096;
    REAL xs[kRun], ys[kRun];
    size_t n = 0;
    const auto flush = [&] {
        if (n > 0) pen_draw_run(xs, ys, n, pen);
        n = 0;
    };
    bool lifted = true;
    for (INTEGER i = c.first; i <= last; ++i) {
        const REAL v = c.value(i);
        if (is_missing(v)) {
            flush();
            lifted = true;
        } else if (lifted) {
            flush();
            const REAL x = c.x<Placed>(i), y = c.y(v);
            PENMOV(x, y, 3);
            if (i == last || is_missing(c.value(i + 1))) draw_dot(x, y);
            lifted = false;
        } else {
            xs[n] = c.x<Placed>(i);
            ys[n] = c.y(v);
            if (++n == kRun) flush();
        }
        // The drawing is shown as often as sample by sample.
        if ((i - c.first) % kPresentEvery == kPresentEvery - 1) {
            flush();
            present_now_and_then(c, i);
        }
    }
    flush();
}

void draw_curve(const SeriesDrawing& d, INTEGER k, bool feather) {
    const Placement place = placement(k);
    INTEGER first = plotw.J1, last = std::min({plotw.J2, dset.NPTS(k), MAXPTS});
    if (!place.identity()) place.samples_within(plotw.J1, plotw.J2, dset.NPTS(k), first, last);
    if (first > last) return;
    const CurveMap m = curve_map(d, k);
    // An area without height, or with a range too large to draw, stays an
    // empty frame.
    if (m.scale == 0.0f) return;
    const CurvePoints c{d, m, Y.column(k), k, pp.NF >= 2, place, first};
    const INTEGER pen = curve_pen(pp.LTYP(k));
    const bool placed = !place.identity();
    if (feather || pp.ISYM(k) >= 0)
        placed ? draw_decorated<true>(c, last, pen, feather) : draw_decorated<false>(c, last, pen, feather);
    else
        placed ? draw_line<true>(c, last, pen) : draw_line<false>(c, last, pen);
}

}  // namespace

void draw_curves(const SeriesDrawing& d) {
    // An area without width stays an empty frame.
    if (pp.XLEN == 0.0f) return;
    const bool feather = pp.LINF(1) == 2;
    for (INTEGER k = 1; k <= std::min(sel.NDSETS, MAXSET); ++k) {
        if (pp.ZCOL) PENCOL(std::as_const(pp.LCOL(k)));
        draw_curve(d, k, feather);
    }
}

}  // namespace datrax
