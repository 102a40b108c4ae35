#include "plots/histogram_counts.h"

#include <algorithm>
#include <cmath>

#include "data/missing.h"

namespace datrax {

Bins::Bins(REAL lo, REAL hi, INTEGER n)
    : lower(lo), upper(hi), range(upper - lower), nbin(n) {}

INTEGER Bins::bin_of(REAL v) const {
    const double x = v;
    if (range == 0.0) return x == lower ? 1 : 0;
    if (!(x >= limit(1) && x <= limit(nbin + 1))) return 0;
    // The quotient may round across a limit: settle on the limits themselves.
    const double position = std::floor((x - lower) / range * static_cast<double>(nbin));
    INTEGER b = static_cast<INTEGER>(std::clamp(position, 0.0, static_cast<double>(nbin - 1))) + 1;
    while (b > 1 && x < limit(b)) --b;
    while (b < nbin && x >= limit(b + 1)) ++b;
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
