// Data extremes over a range of samples, the ranges of a time-series plot,
// and the question for a pair of limits.
#pragma once
#include "app/state.h"

namespace datrax {

// Smallest and largest of the present samples of Y(I1..I2, K), reading only
// samples that the data set holds (1..min(NPTS(K), MAXPTS)). With I2 <= I1
// both are Y(I1, K); with no present sample in the range both are 0.
void EXTREM(REAL& YMIN, REAL& YMAX, const INTEGER& I1, const INTEGER& I2, const INTEGER& K);

// The ranges of data sets 1 and 2 over I1..I2; with two data sets overlaid
// (STYLE 1) data set 1's range is widened to cover both. A data set with no
// sample in the range widens nothing.
void DRANGE(REAL& YLO1, REAL& YHI1, REAL& YLO2, REAL& YHI2, const INTEGER& I1, const INTEGER& I2);
// DRANGE with a sample range of its own for each data set (data sets placed
// at different times on a common time axis).
void set_ranges(REAL& YLO1, REAL& YHI1, REAL& YLO2, REAL& YHI2, INTEGER first1, INTEGER last1, INTEGER first2,
                INTEGER last2);

// Asks for a lower and an upper limit until the upper one is greater.
void SETLIM(REAL& LO, REAL& HI);

}  // namespace datrax
