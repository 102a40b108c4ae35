// Binning and the summary statistics, against values computed independently.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plots/histogram_counts.h"

namespace datrax {
namespace {

TEST(Binning, EndsAndTheNearestCentre) {
    EXPECT_EQ(bin_of(0.0f, 0.0f, 10.0f, 100), 1);
    EXPECT_EQ(bin_of(10.0f, 0.0f, 10.0f, 100), 100);
    EXPECT_EQ(bin_of(3.0f, 0.0f, 10.0f, 100), 31);  // NINT(29.7) + 1
    EXPECT_EQ(bin_of(-5.0f, -5.0f, 1.0f, 25), 1);
    EXPECT_EQ(bin_of(-4.0f, -5.0f, 1.0f, 25), 25);
    EXPECT_EQ(bin_of(-4.5f, -5.0f, 1.0f, 25), 13);  // 12.0 exactly
    // Outside the limits: no bin.
    EXPECT_EQ(bin_of(-1.0f, 0.0f, 10.0f, 100), 0);
    EXPECT_EQ(bin_of(11.0f, 0.0f, 10.0f, 100), 0);
    // A zero range puts the one value into bin 1.
    EXPECT_EQ(bin_of(2.0f, 2.0f, 0.0f, 25), 1);
}

TEST(Binning, CountsLeaveOutSamplesBeyondFixedLimits) {
    const std::vector<REAL> y = {0.0f, 1.0f, 2.0f, 2.0f, 9.0f, 12.0f, -3.0f};
    std::vector<INTEGER> counts(1000, 77);
    count_bins(y, 0.0f, 10.0f, counts, 11);
    const std::vector<INTEGER> expected = {1, 1, 2, 0, 0, 0, 0, 0, 0, 1, 0};
    EXPECT_EQ(std::vector<INTEGER>(counts.begin(), counts.begin() + 11), expected);
    EXPECT_EQ(counts[11], 77);  // only the first nbin entries are touched
}

TEST(Statistics, AgreeWithDoublePrecisionWithinSinglePrecisionTolerance) {
    std::vector<REAL> y;
    for (int i = 0; i < 5000; ++i) y.push_back(static_cast<REAL>(std::sin(i * 0.37) * 3.0 + (i % 7) * 0.25 + 100.0));
    double sum = 0;
    for (REAL v : y) sum += v;
    const double n = static_cast<double>(y.size()), mean = sum / n;
    double s2 = 0, s3 = 0, s4 = 0, q = 0;
    for (REAL v : y) {
        const double d = v - mean;
        s2 += d * d;
        s3 += d * d * d;
        s4 += d * d * d * d;
        q += static_cast<double>(v) * v;
    }
    const double sd = std::sqrt(s2 / n);
    const SampleStatistics s = sample_statistics(y);
    EXPECT_NEAR(s.mean, mean, 1e-4 * std::fabs(mean));
    EXPECT_NEAR(s.sd, sd, 1e-3 * sd);
    EXPECT_NEAR(s.skewness, s3 / (sd * sd * sd * n), 1e-2);
    EXPECT_NEAR(s.kurtosis, s4 / (sd * sd * sd * sd * n) - 3.0, 1e-2);
    EXPECT_NEAR(s.power, q / n, 1e-4 * q / n);
}

TEST(Statistics, ZeroSpreadAndNoSamples) {
    const std::vector<REAL> same(10, 4.0f);
    const SampleStatistics s = sample_statistics(same);
    EXPECT_EQ(s.mean, 4.0f);
    EXPECT_EQ(s.sd, 0.0f);
    EXPECT_EQ(s.skewness, 0.0f);
    EXPECT_EQ(s.kurtosis, 0.0f);
    EXPECT_EQ(s.power, 16.0f);
    const SampleStatistics none = sample_statistics({});
    EXPECT_EQ(none.mean, 0.0f);
}

}  // namespace
}  // namespace datrax
