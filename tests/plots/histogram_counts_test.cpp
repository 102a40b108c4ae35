// Binning and the summary statistics, against values computed independently.
#include "plots/histogram_counts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "base/numbers.h"

namespace datrax {
namespace {

TEST(Binning, EqualIntervalsWithSharedLimitsInTheUpperBin) {
    struct Row {
        REAL v, lower, upper;
        INTEGER nbin, bin;
    } rows[] = {
        {0.0f, 0.0f, 10.0f, 100, 1},
        {10.0f, 0.0f, 10.0f, 100, 100},  // the maximum in the last bin
        {3.0f, 0.0f, 10.0f, 100, 31},
        {2.99f, 0.0f, 10.0f, 100, 30},  // a shared limit goes up
        {-5.0f, -5.0f, -4.0f, 25, 1},
        {-4.0f, -5.0f, -4.0f, 25, 25},
        {-4.5f, -5.0f, -4.0f, 25, 13},
        {3.96f, 0.0f, 99.0f, 25, 2},
        {3.95f, 0.0f, 99.0f, 25, 1},  // limits of 99 / 25
        {0.16f, 0.0f, 4.0f, 25, 2},
        {0.48f, 0.0f, 4.0f, 25, 4},  // 0.16 is below the double 0.16
        {0.1f, 0.0f, 1.0f, 10, 2},
        {0.7f, 0.0f, 1.0f, 10, 8},  // the printed limits 0.1 and 0.7
        {-1.0f, 0.0f, 10.0f, 100, 0},
        {11.0f, 0.0f, 10.0f, 100, 0},  // outside: no bin
        {2.0f, 2.0f, 2.0f, 25, 1},
        {2.5f, 2.0f, 2.0f, 25, 0},  // a zero range
        {3.4e38f, -3.4e38f, 3.4e38f, 25, 25},
        {-3.4e38f, -3.4e38f, 3.4e38f, 25, 1},
        {0.0f, -3.4e38f, 3.4e38f, 25, 13},
        {1.0e-30f, -3.4e38f, 1.0e-30f, 4, 4},
    };
    for (const Row& r : rows) EXPECT_EQ(Bins(r.lower, r.upper, r.nbin).bin_of(r.v), r.bin) << r.v << " in " << r.lower;
    EXPECT_EQ(Bins(0.0f, 1.0f, 4).bin_of(std::nanf("")), 0);
}

TEST(Binning, EvenlySpreadSamplesFillEveryBinAlike) {
    std::vector<REAL> y;
    for (int i = 0; i < 100; ++i) y.push_back(static_cast<REAL>(i));
    std::vector<INTEGER> counts(25);
    count_bins(y, 0.0f, 99.0f, counts, 25);
    EXPECT_EQ(counts, std::vector<INTEGER>(25, 4));
}

TEST(Binning, CountsLeaveOutSamplesBeyondFixedLimits) {
    const std::vector<REAL> y = {0.0f, 1.0f, 2.0f, 2.0f, 9.0f, 12.0f, -3.0f};
    std::vector<INTEGER> counts(1000, 77);
    count_bins(y, 0.0f, 11.0f, counts, 11);
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

// FMTNUM's text of V with NDEC decimals: the digits the histogram shows.
std::string shown(REAL v, INTEGER ndec) {
    Text<32> text;
    INTEGER n = 0;
    FMTNUM(v, ndec, text, n);
    return std::string(text.view().substr(0, static_cast<size_t>(n)));
}

TEST(Statistics, SixMillionSamplesOfALargeMeanAreExactToTheShownDigits) {
    // Mean 1000, standard deviation 1: the single-precision sums of the
    // past drifted visibly here.
    std::mt19937_64 random(20260309);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<REAL> y(6'000'000);
    for (size_t i = 0; i < y.size(); i += 2) {
        const double r = std::sqrt(-2.0 * std::log(1.0 - uniform(random))),
                     a = 2.0 * std::numbers::pi * uniform(random);
        y[i] = static_cast<REAL>(1000.0 + r * std::cos(a));
        y[i + 1] = static_cast<REAL>(1000.0 + r * std::sin(a));
    }
    long double sum = 0;
    for (const REAL v : y) sum += v;
    const long double n = static_cast<long double>(y.size()), mean = sum / n;
    long double s2 = 0, s3 = 0, s4 = 0, q = 0;
    for (const REAL v : y) {
        const long double d = v - mean;
        s2 += d * d;
        s3 += d * d * d;
        s4 += d * d * d * d;
        q += static_cast<long double>(v) * v;
    }
    const long double sd = std::sqrt(s2 / n);
    const SampleStatistics s = sample_statistics(y);
    for (const INTEGER ndec : {3, 5}) {
        EXPECT_EQ(shown(s.mean, ndec), shown(static_cast<REAL>(mean), ndec));
        EXPECT_EQ(shown(s.sd, ndec), shown(static_cast<REAL>(sd), ndec));
        EXPECT_EQ(shown(s.power, ndec), shown(static_cast<REAL>(q / n), ndec));
    }
    EXPECT_NEAR(s.skewness, static_cast<double>(s3 / (sd * sd * sd * n)), 1e-6);
    EXPECT_NEAR(s.kurtosis, static_cast<double>(s4 / (sd * sd * sd * sd * n) - 3.0L), 1e-6);
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
