#include "data/limits.h"

#include <algorithm>
#if defined(__SSE2__)
#include <immintrin.h>
#endif
#include <utility>
#include <vector>

#include "console/console.h"
#include "console/prompts.h"
#include "records/helper_thread.h"
#include "records/missing.h"

namespace datrax {

namespace {

// Lowest and highest of y[0..n-1], none of them missing, in independent
// lanes. Missing samples (NaN) fail both comparisons and so never take
// part. Equal values are identical but for +0 and -0: the caller settles
// which zero a scan in order keeps.
void lane_extremes(const REAL* y, size_t n, REAL& lo, REAL& hi) {
    constexpr size_t kLanes = 16;
    REAL l[kLanes], h[kLanes];
    for (size_t j = 0; j < kLanes; ++j) l[j] = h[j] = lo;
    size_t i = 0;
#if defined(__SSE2__)
    // minps and maxps are the two comparisons below exactly, a NaN
    // included: the compiler does not see it, and would compare one by one.
    __m128 vl[4], vh[4];
    for (int j = 0; j < 4; ++j) vl[j] = vh[j] = _mm_set1_ps(lo);
    for (; i + kLanes <= n; i += kLanes) {
        for (int j = 0; j < 4; ++j) {
            const __m128 v = _mm_loadu_ps(y + i + 4 * j);
            vl[j] = _mm_min_ps(v, vl[j]);
            vh[j] = _mm_max_ps(v, vh[j]);
        }
    }
    for (int j = 0; j < 4; ++j) {
        _mm_storeu_ps(l + 4 * j, vl[j]);
        _mm_storeu_ps(h + 4 * j, vh[j]);
    }
#endif
    for (; i + kLanes <= n; i += kLanes) {
        for (size_t j = 0; j < kLanes; ++j) {
            const REAL v = y[i + j];
            l[j] = v < l[j] ? v : l[j];
            h[j] = h[j] < v ? v : h[j];
        }
    }
    for (; i < n; ++i) {
        l[0] = y[i] < l[0] ? y[i] : l[0];
        h[0] = h[0] < y[i] ? y[i] : h[0];
    }
    for (size_t j = 0; j < kLanes; ++j) {
        lo = l[j] < lo ? l[j] : lo;
        hi = hi < h[j] ? h[j] : hi;
    }
}

// A scan in order keeps the last of equal extremes: for a zero, the last
// zero of the range, whose sign the plots may show.
REAL last_zero(const REAL* y, size_t n) {
    while (y[n - 1] != 0.0f) --n;
    return y[n - 1];
}

// The extremes of the present samples of data set k within I1..I2; false
// (and both 0) when the range holds none of them.
bool range_extremes(REAL& lo, REAL& hi, INTEGER i1, INTEGER i2, INTEGER k) {
    const INTEGER last = std::min(dset.NPTS(k), MAXPTS);
    lo = hi = 0.0f;
    if (i1 < 1 || i1 > last) return false;
    const REAL* y = Y.column(k);
    const INTEGER end = std::max(std::min(i2, last), i1);
    INTEGER first = i1;
    while (first <= end && is_missing(y[first - 1])) ++first;
    if (first > end) return false;
    const REAL* from = y + (first - 1);
    const auto n = static_cast<size_t>(end - first + 1);
    lo = hi = from[0];
    // Long ranges in spans on two threads, each starting from the first
    // present sample.
    std::vector<std::pair<REAL, REAL>> spans(spans_for(n), {lo, hi});
    run_spans(n, spans.size(), [&](size_t span, size_t a, size_t b) {
        lane_extremes(from + a, b - a, spans[span].first, spans[span].second);
    });
    for (const auto& [l, h] : spans) {
        lo = l < lo ? l : lo;
        hi = hi < h ? h : hi;
    }
    if (lo == 0.0f) lo = last_zero(from, n);
    if (hi == 0.0f) hi = last_zero(from, n);
    return true;
}

}  // namespace

void EXTREM(REAL& YMIN, REAL& YMAX, const INTEGER& I1, const INTEGER& I2, const INTEGER& K) {
    range_extremes(YMIN, YMAX, I1, I2, K);
}

void DRANGE(REAL& YLO1, REAL& YHI1, REAL& YLO2, REAL& YHI2, const INTEGER& I1, const INTEGER& I2) {
    set_ranges(YLO1, YHI1, YLO2, YHI2, I1, I2, I1, I2);
}

void set_ranges(REAL& YLO1, REAL& YHI1, REAL& YLO2, REAL& YHI2, INTEGER first1, INTEGER last1, INTEGER first2,
                INTEGER last2) {
    const bool has1 = range_extremes(YLO1, YHI1, first1, last1, 1);
    if (sel.NDSETS == 1) return;
    const bool has2 = range_extremes(YLO2, YHI2, first2, last2, 2);
    if (sel.STYLE != 1 || !has2) return;
    YLO1 = has1 ? std::min(YLO1, YLO2) : YLO2;
    YHI1 = has1 ? std::max(YHI1, YHI2) : YHI2;
}

void SETLIM(REAL& LO, REAL& HI) {
    for (;;) {
        ASKRL(0, -scr.MAXROW, "Set limits: Lower -> |", LO, 4, scr.PRMCOL);
        ASKRL(-1, 0, " Upper -> |", HI, 4, scr.PRMCOL);
        if (HI > LO) {
            CCLEAR(0, scr.MAXROW, scr.MAXCOL, scr.MAXROW);
            return;
        }
        SHOWRL(0, -scr.MAXROW, "Incompatible Limits : [|", LO, 4, scr.PRMCOL);
        SHOWRL(-1, 0, ",|", HI, 4, scr.PRMCOL);
        MSGTXT(-1, 0, "] redo --> |", scr.PRMCOL);
        WAITKY();
    }
}

}  // namespace datrax
