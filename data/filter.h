// The smoothing filter: a tapered window of NF weights and the filtered
// value of a sample.
#pragma once
#include "app/state.h"

namespace datrax {

using FilterWeights = Arr1<REAL, kMaxWeights>;

// Fills W(1..NF) from NF and DTF; NF = 0 becomes 1 (with a message), a
// negative NF builds nothing, and NF is held to kMaxWeights.
void FILTWT(FilterWeights& W);

// F(i, k) = sum of W(j) * Y(i + j - M - 1, k), j = 1..NF, M = (NF - 1) / 2,
// with indices clamped to 1..NPTS(k); for NF <= 1 the sample itself. Missing
// samples of the window are left out and the weights of the present ones
// renormalised; a missing sample i gives a missing value.
REAL filtered_value(const FilterWeights& W, INTEGER i, INTEGER k);

}  // namespace datrax
