// Two data sets of other starts and intervals, as the time-axis tests use
// them: 48 hourly samples from 2024-04-09 00:00, and 30 samples two hours
// apart from six hours later.
#pragma once
#include "app/state.h"

namespace datrax {

inline void set_two_hourly_data_sets() {
    reset_records();
    sel.NDSETS = 2;
    dset.ITU = 3;  // hours
    dset.DT(1) = 1.0f;
    dset.DT(2) = 2.0f;
    dset.NPTS(1) = 48;
    dset.NPTS(2) = 30;
    dset.start(1) = 1712620800.0;                 // 2024-04-09 00:00
    dset.start(2) = 1712620800.0 + 6.0 * 3600.0;  // six hours later
    dset.interval_seconds(1) = 3600.0;
    dset.interval_seconds(2) = 7200.0;
}

}  // namespace datrax
