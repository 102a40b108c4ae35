// Counting samples into bins and the summary statistics of a data set,
// shared by the histogram plot and the histogram table.
#pragma once
#include <span>

#include "app/state.h"

namespace datrax {

// The nbin equal intervals of lower..upper, worked out in double precision
// so that no range of single-precision values overflows.
struct Bins {
    double lower = 0, upper = 0, range = 0;
    INTEGER nbin = 0;

    Bins(REAL lo, REAL hi, INTEGER n);
    // Lower limit of bin b (1..nbin + 1; nbin + 1 gives the upper limit).
    double limit(INTEGER b) const {
        return b > nbin ? upper : lower + range * static_cast<double>(b - 1) / static_cast<double>(nbin);
    }
    // Bin 1..nbin holding v: limit(b) <= v < limit(b + 1), the upper limit
    // itself in bin nbin. 0 when v lies outside (or is not a number). A zero
    // range puts only v == lower into bin 1.
    INTEGER bin_of(REAL v) const;
};

// Fills counts(1..nbin) from the samples (counts.size() >= nbin); missing
// samples and samples outside the bins are left out.
void count_bins(std::span<const REAL> samples, REAL lower, REAL upper, std::span<INTEGER> counts, INTEGER nbin);

struct SampleStatistics {
    REAL mean = 0, sd = 0, skewness = 0, kurtosis = 0, power = 0;
};

// Mean, standard deviation (divisor N), skewness, excess kurtosis and
// average power of the present samples (N is their count), summed in
// double precision and given in single. A zero
// standard deviation gives skewness and kurtosis 0.
SampleStatistics sample_statistics(std::span<const REAL> samples);

}  // namespace datrax
