#include "plots/histogram_counts.h"

#include <algorithm>
#include <cmath>

#include "records/missing.h"

namespace datrax {

Bins::Bins(REAL lo, REAL hi, INTEGER n) : lower(lo), upper(hi), range(upper - lower), nbin(n) {}

INTEGER Bins::bin_of(REAL v) const {
    const double x = v;
    if (range == 0.0) return x == lower ? 1 : 0;
    if (!(x >= limit(1) && x <= limit(nbin + 1))) return 0;
    // The quotient may round across a limit: settle on the limits themselves,
    // each as the nearest value a sample can hold, so that a sample printed
    // as a shared limit lies on it and goes to the upper bin.
    const auto limit_of_sample = [&](INTEGER k) { return static_cast<double>(static_cast<REAL>(limit(k))); };
    const double position = std::floor((x - lower) / range * static_cast<double>(nbin));
    INTEGER b = static_cast<INTEGER>(std::clamp(position, 0.0, static_cast<double>(nbin - 1))) + 1;
    while (b > 1 && x < limit_of_sample(b)) --b;
    while (b < nbin && x >= limit_of_sample(b + 1)) ++b;
    return b;
}

void count_bins(std::span<const REAL> samples, REAL lower, REAL upper, std::span<INTEGER> counts, INTEGER nbin) {
    std::fill_n(counts.begin(), nbin, 0);
    const Bins bins(lower, upper, nbin);
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        const INTEGER k = bins.bin_of(v);
        if (k >= 1) ++counts[static_cast<size_t>(k - 1)];
    }
}

SampleStatistics sample_statistics(std::span<const REAL> samples) {
    // Sums in double about a double mean: single-precision sums drift
    // visibly after some ten thousand samples of a large mean.
    SampleStatistics s;
    size_t present = 0;
    double sum = 0;
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        sum += v;
        ++present;
    }
    if (present == 0) return s;
    const double n = static_cast<double>(present);
    const double mean = sum / n;
    double s2 = 0, s3 = 0, s4 = 0, q = 0;
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        const double x = v, d = x - mean, d2 = d * d;
        s2 += d2;
        s3 += d * d2;
        s4 += d2 * d2;
        q += x * x;
    }
    const double sd = std::sqrt(s2 / n);
    s.mean = static_cast<REAL>(mean);
    s.sd = static_cast<REAL>(sd);
    s.power = static_cast<REAL>(q / n);
    if (sd > 0.0) {
        s.skewness = static_cast<REAL>(s3 / (sd * sd * sd * n));
        s.kurtosis = static_cast<REAL>(s4 / (s2 * s2 / n) - 3.0);
    }
    return s;
}

}  // namespace datrax
