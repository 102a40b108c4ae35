#include "plots/histogram_counts.h"

#include <cmath>

#include "data/missing.h"

namespace datrax {

INTEGER bin_of(REAL v, REAL lower, REAL range, INTEGER nbin) {
    if (range == 0.0f) return v == lower ? 1 : 0;
    const REAL position = (v - lower) / range * static_cast<REAL>(nbin - 1);
    if (!std::isfinite(position) || position < -0.5f || position >= static_cast<REAL>(nbin) - 0.5f) return 0;
    return static_cast<INTEGER>(std::lround(position)) + 1;
}

void count_bins(std::span<const REAL> samples, REAL lower, REAL upper, std::span<INTEGER> counts, INTEGER nbin) {
    std::fill_n(counts.begin(), nbin, 0);
    const REAL range = upper - lower;
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        const INTEGER k = bin_of(v, lower, range, nbin);
        if (k >= 1) ++counts[static_cast<size_t>(k - 1)];
    }
}

SampleStatistics sample_statistics(std::span<const REAL> samples) {
    SampleStatistics s;
    size_t present = 0;
    REAL sum = 0;
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        sum += v;
        ++present;
    }
    if (present == 0) return s;
    const REAL n = static_cast<REAL>(present);
    s.mean = sum / n;
    REAL s2 = 0, s3 = 0, s4 = 0, q = 0;
    for (const REAL v : samples) {
        if (is_missing(v)) continue;
        const REAL d = v - s.mean;
        const REAL d2 = d * d;
        s2 += d2;
        s3 += d * d2;
        s4 += d2 * d2;
        q += v * v;
    }
    s.sd = std::sqrt(s2 / n);
    s.power = q / n;
    if (s.sd > 0.0f) {
        s.skewness = s3 / (s.sd * s.sd * s.sd * n);
        s.kurtosis = s4 / (s.sd * s.sd * s.sd * s.sd * n) - 3.0f;
    }
    return s;
}

}  // namespace datrax
