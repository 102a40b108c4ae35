#include "data/filter.h"

#include <algorithm>
#include <cmath>

#include "console/console.h"
#include "records/missing.h"

namespace datrax {

void FILTWT(FilterWeights& W) {
    if (pp.NF == 0) {
        MSGTXT(0, -scr.MAXROW, "filter length 0, setting = 1 |", scr.PRMCOL);
        pp.NF = 1;
    }
    if (pp.NF < 1) return;
    pp.NF = std::min(pp.NF, kMaxWeights);  // never more weights than W holds
    const INTEGER nf = pp.NF;
    if (nf == 1) {
        W(1) = 1.0f;
        return;
    }
    const REAL pi = 3.1415927f;
    const INTEGER m = (nf - 1) / 2;
    REAL c = 4.0f / (static_cast<REAL>(nf) * pp.DTF);
    REAL a = pi * c * pp.DTF / 2.0f;
    if (pp.DTF == 0.0f || !std::isfinite(c) || !std::isfinite(a) || a == 0.0f) {
        // C and DTF cancel in the normalised weights; this form needs no interval.
        c = 1.0f;
        a = 2.0f * pi / static_cast<REAL>(nf);
    }
    REAL sum = 0.0f;
    for (INTEGER i = 1; i <= nf; ++i) {
        const REAL x = static_cast<REAL>(i - m - 1) * a;
        const REAL s = i == m + 1 ? 1.0f : std::sin(x) / x;
        W(i) = c * 0.75f * s * s * s * s;
        sum += W(i);
    }
    for (INTEGER i = 1; i <= nf; ++i) W(i) = W(i) / sum;
}

REAL filtered_value(const FilterWeights& W, INTEGER i, INTEGER k) {
    const INTEGER last = std::max(std::min(dset.NPTS(k), MAXPTS), 1);
    if (pp.NF <= 1) return Y(std::clamp(i, 1, last), k);
    const INTEGER nf = std::min(pp.NF, kMaxWeights);
    const INTEGER m = (nf - 1) / 2;
    const REAL* y = Y.column(k);
    if (is_missing(y[std::clamp(i, 1, last) - 1])) return kMissing;
    REAL sum = 0.0f, weights = 0.0f;
    bool gap = false;
    for (INTEGER j = 1; j <= nf; ++j) {
        const INTEGER at = std::clamp(i + j - m - 1, 1, last);
        const REAL v = y[at - 1];
        if (is_missing(v)) {
            gap = true;
            continue;
        }
        sum += W(j) * v;
        weights += W(j);
    }
    // Without a gap the weights sum to 1 already: the sum stands as it is.
    return gap ? sum / weights : sum;
}

}  // namespace datrax
