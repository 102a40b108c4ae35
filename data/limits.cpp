#include "data/limits.h"

#include <algorithm>

#include "console/console.h"
#include "console/prompts.h"

namespace datrax {

namespace {

// The extremes of the samples of data set k within I1..I2; false (and both
// 0) when the range holds none of its samples.
bool range_extremes(REAL& lo, REAL& hi, INTEGER i1, INTEGER i2, INTEGER k) {
    const INTEGER last = std::min(dset.NPTS(k), MAXPTS);
    lo = hi = 0.0f;
    if (i1 < 1 || i1 > last) return false;
    const REAL* y = Y.column(k);
    lo = hi = y[i1 - 1];
    const INTEGER end = std::min(i2, last);
    for (INTEGER i = i1 + 1; i <= end; ++i) {
        const REAL v = y[i - 1];
        lo = lo < v ? lo : v;
        hi = v < hi ? hi : v;
    }
    return true;
}

}  // namespace

void EXTREM(REAL& YMIN, REAL& YMAX, const INTEGER& I1, const INTEGER& I2, const INTEGER& K) {
    range_extremes(YMIN, YMAX, I1, I2, K);
}

void DRANGE(REAL& YLO1, REAL& YHI1, REAL& YLO2, REAL& YHI2, const INTEGER& I1, const INTEGER& I2) {
    const bool has1 = range_extremes(YLO1, YHI1, I1, I2, 1);
    if (sel.NDSETS == 1) return;
    const bool has2 = range_extremes(YLO2, YHI2, I1, I2, 2);
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
