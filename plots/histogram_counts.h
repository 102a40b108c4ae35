// Counting samples into bins and the summary statistics of a data set,
// shared by the histogram plot and the histogram table.
#pragma once
#include <span>

#include "app/state.h"

namespace datrax {

// Bin 1..nbin of value v: the nearest of nbin equally spaced centres, the
// first at lower and the last at lower + range. 0 when v lies outside them
// (or range is 0 and v is not lower).
INTEGER bin_of(REAL v, REAL lower, REAL range, INTEGER nbin);

// Fills counts(1..nbin) from the samples (counts.size() >= nbin); missing
// samples and samples outside the bins are left out.
void count_bins(std::span<const REAL> samples, REAL lower, REAL upper, std::span<INTEGER> counts, INTEGER nbin);

struct SampleStatistics {
    REAL mean = 0, sd = 0, skewness = 0, kurtosis = 0, power = 0;
};

// Mean, standard deviation (divisor N), skewness, excess kurtosis and
// average power of the present samples (N is their count) in single
// precision, summed in sample order. A zero
// standard deviation gives skewness and kurtosis 0.
SampleStatistics sample_statistics(std::span<const REAL> samples);

}  // namespace datrax
