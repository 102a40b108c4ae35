#include "plots/time_window.h"

#include <algorithm>

#include "console/prompts.h"
#include "data/limits.h"
#include "plots/date_limits.h"
#include "plots/sample_index.h"
#include "plots/time_placement.h"

namespace datrax {

void ask_fixed_time_limits(LOGICAL& FIXED, REAL& TLO, REAL& THI) {
    ASKYN(0, -scr.MAXROW, "Fixed Time Limits [y/n] --> |", FIXED, scr.PRMCOL);
    if (!FIXED) return;
    if (calendar_axis())
        set_date_limits(TLO, THI);
    else
        SETLIM(TLO, THI);
}

void time_window_samples(INTEGER K, bool FIXED, REAL TLO, REAL THI, INTEGER& FIRST, INTEGER& LAST) {
    const INTEGER n = std::clamp(dset.NPTS(K), 0, MAXPTS);
    FIRST = 1;
    LAST = n;
    if (!FIXED) return;
    if (calendar_axis()) {
        // Limits count axis positions, which step by data set 1's interval.
        const REAL per_position = dset.TSCALE * dset.DT(1);
        if (per_position == 0.0f) return;
        placement(K).samples_within(sample_index(TLO / per_position, 1), sample_index(THI / per_position, 1), n, FIRST,
                                    LAST);
        return;
    }
    const REAL per_sample = dset.TSCALE * dset.DT(K);
    if (per_sample == 0.0f) return;
    FIRST = std::max(sample_index(TLO / per_sample, 1), 1);
    LAST = std::min(sample_index(THI / per_sample, 1), n);
}

void ask_filter_length() {
    pp.NF = 1;
    ASKINT(0, -scr.MAXROW, "Filter Length, [default 1] --> |", pp.NF, scr.PRMCOL);
    pp.NF = std::min(pp.NF, kMaxWeights);
    plotw.NH = (pp.NF - 1) / 2;
}

}  // namespace datrax
