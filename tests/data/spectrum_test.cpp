// The amplitude spectrum: peak heights and places of pure lines, close
// lines, Parseval, trend removal, missing samples, band measures.
#include "data/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

namespace datrax {
namespace {

constexpr REAL kNaN = std::numeric_limits<REAL>::quiet_NaN();

struct Line {
    double frequency, amplitude, phase;
};

// n samples every dt of a sum of lines plus an offset and trend.
std::vector<REAL> lines(int n, double dt, std::vector<Line> ls, double offset = 0.0, double trend = 0.0) {
    std::vector<REAL> y(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double t = i * dt;
        double v = offset + trend * t;
        for (const Line& l : ls) v += l.amplitude * std::cos(2.0 * std::numbers::pi * l.frequency * t + l.phase);
        y[static_cast<size_t>(i)] = static_cast<REAL>(v);
    }
    return y;
}

Spectrum spectrum_of(const std::vector<REAL>& y, double dt) {
    Spectrum s;
    EXPECT_EQ(amplitude_spectrum(y, dt, s), SpectrumStatus::Ok);
    return s;
}

TEST(Spectrum, PureLinesShowTheirAmplitudeAtTheirFrequency) {
    struct Case {
        int n;
        double dt, frequency, amplitude;
    };
    // Lengths of every kind (powers of two, odd, prime, the sample month),
    // lines on a bin and between bins.
    const Case cases[] = {
        {1024, 1.0, 0.125, 1.0},     {1000, 1.0 / 60.0, 4.1234, 34.9}, {1009, 1.0, 0.2, 7.5},
        {744, 1.0, 0.0805114, 35.0}, {744, 1.0, 0.0417807, 38.0},      {4096, 0.5, 0.3333, 0.002},
        {6001, 2.0, 0.0123, 1500.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " f " << c.frequency);
        const Spectrum s = spectrum_of(lines(c.n, c.dt, {{c.frequency, c.amplitude, 0.4}}), c.dt);
        EXPECT_NEAR(s.df, 1.0 / (c.n * c.dt), 1e-12);
        ASSERT_EQ(s.amplitude.size(), static_cast<size_t>(c.n / 2 + 1));
        const std::vector<SpectrumPeak> p = largest_peaks(s, 0.0, 1e9, 3);
        ASSERT_FALSE(p.empty());
        EXPECT_NEAR(p[0].frequency, c.frequency, s.df);
        EXPECT_NEAR(p[0].amplitude, c.amplitude, 0.01 * c.amplitude);
        // The drawn curve itself never shows more than the line.
        EXPECT_LE(largest_amplitude(s, 0.0, 1e9), 1.001 * c.amplitude);
    }
}

TEST(Spectrum, ALineOnABinIsDrawnAtItsFullHeight) {
    const Spectrum s = spectrum_of(lines(1000, 1.0, {{0.1, 3.0, 1.0}}), 1.0);
    EXPECT_NEAR(s.amplitude[100], 3.0f, 1e-4f);
    EXPECT_NEAR(s.amplitude[99], 1.5f, 1e-4f);  // the Hann window's neighbours
}

TEST(Spectrum, TwoCloseLinesAreResolved) {
    const double df = 1.0 / 2000.0;
    const Spectrum s = spectrum_of(lines(2000, 1.0, {{100.3 * df, 10.0, 0.0}, {104.6 * df, 6.0, 1.0}}), 1.0);
    const std::vector<SpectrumPeak> p = largest_peaks(s, 0.0, 0.5, 2);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_NEAR(p[0].frequency, 100.3 * df, df);
    EXPECT_NEAR(p[1].frequency, 104.6 * df, df);
    EXPECT_NEAR(p[0].amplitude, 10.0, 0.5);
    EXPECT_NEAR(p[1].amplitude, 6.0, 0.3);
}

TEST(Spectrum, ParsevalTheBandsTogetherHoldTheWholeSignal) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 2.0);
    std::vector<REAL> y = lines(50000, 1.0, {{0.01234, 5.0, 0.1}, {0.2, 3.0, 2.0}, {0.4321, 1.0, 0.0}});
    for (REAL& v : y) v += static_cast<REAL>(noise(rng));
    std::vector<REAL> detrended = y;
    remove_trend(detrended);
    double sum = 0.0;
    for (REAL v : detrended) sum += static_cast<double>(v) * v;
    const double rms = std::sqrt(sum / static_cast<double>(y.size()));

    const Spectrum s = spectrum_of(y, 1.0);
    EXPECT_NEAR(band_rms(s, 0.0, 1.0), rms, 0.01 * rms);
    // A line alone in its band has the RMS of a sinusoid.
    EXPECT_NEAR(band_rms(s, 0.01, 0.015), 5.0 / std::sqrt(2.0), 0.01 * 5.0 / std::sqrt(2.0) + 0.05);
}

TEST(Spectrum, TheTrendAndTheMeanAreRemoved) {
    const Line line{0.05, 2.0, 0.3};
    const Spectrum plain = spectrum_of(lines(3000, 1.0, {line}), 1.0);
    const Spectrum trended = spectrum_of(lines(3000, 1.0, {line}, 980.0, 0.7), 1.0);
    // Without the removal the trend's leakage would dwarf the line below it.
    EXPECT_LT(largest_amplitude(trended, 0.0, 0.04), 0.01f);
    EXPECT_NEAR(largest_peaks(trended, 0.0, 0.5, 1)[0].amplitude, largest_peaks(plain, 0.0, 0.5, 1)[0].amplitude, 1e-3);
}

TEST(Spectrum, MissingSamplesAreFilledByStraightLines) {
    struct Case {
        std::vector<REAL> in, out;
    };
    const Case cases[] = {
        {{kNaN, 1, kNaN, kNaN, 4, kNaN}, {1, 1, 2, 3, 4, 4}},
        {{2, kNaN, 6}, {2, 4, 6}},
        {{5}, {5}},
    };
    for (const Case& c : cases) {
        std::vector<REAL> y = c.in;
        EXPECT_TRUE(fill_missing(y));
        EXPECT_EQ(y, c.out);
    }
    std::vector<REAL> none{kNaN, kNaN};
    EXPECT_FALSE(fill_missing(none));
}

TEST(Spectrum, UpToOneTenthMissingIsFilledAboveThatRefused) {
    const int n = 1000;
    const std::vector<REAL> whole = lines(n, 1.0, {{0.0805, 35.0, 0.2}});
    struct Case {
        int missing;
        SpectrumStatus status;
    };
    for (const Case c :
         {Case{37, SpectrumStatus::Ok}, Case{100, SpectrumStatus::Ok}, Case{101, SpectrumStatus::TooManyMissing}}) {
        SCOPED_TRACE(c.missing);
        std::vector<REAL> y = whole;
        // A gap of 30 samples (the first sample among them) and single losses.
        for (int i = 0; i < c.missing; ++i) y[static_cast<size_t>(i < 30 ? i : 40 + 9 * i)] = kNaN;
        Spectrum s;
        EXPECT_EQ(amplitude_spectrum(y, 1.0, s), c.status);
        EXPECT_EQ(s.filled, c.missing);
        if (c.status == SpectrumStatus::Ok) {
            EXPECT_NEAR(largest_peaks(s, 0, 0.5, 1)[0].amplitude, 35.0, 1.5);
        }
    }
    Spectrum s;
    EXPECT_EQ(amplitude_spectrum(std::vector<REAL>(3, 1.0f), 1.0, s), SpectrumStatus::TooFewSamples);
}

TEST(Spectrum, BandMeasuresFindTheLineOfTheirBand) {
    const Spectrum s = spectrum_of(lines(744, 1.0, {{0.0805114, 35.0, 0.3}, {0.0417807, 38.0, 1.2}}), 1.0);
    const SpectrumPeak semidiurnal = band_peak(s, 0.075, 0.089);
    EXPECT_NEAR(semidiurnal.frequency, 0.0805114, s.df);
    EXPECT_NEAR(semidiurnal.amplitude, 35.0, 0.35);
    EXPECT_NEAR(band_peak(s, 0.033, 0.047).amplitude, 38.0, 0.38);
    EXPECT_LT(band_rms(s, 0.117, 0.131), 0.1f);
    const SpectrumPeak empty = band_peak(s, 0.6, 0.9);  // above the Nyquist frequency
    EXPECT_EQ(empty.amplitude, 0.0f);
    EXPECT_EQ(band_rms(s, 0.6, 0.9), 0.0f);
}

TEST(Spectrum, LargeValuesGiveFiniteMeasuresAndOverflowIsRefused) {
    // Squares of amplitudes from 1e17 up leave single precision.
    const Spectrum s = spectrum_of(lines(1000, 1.0, {{0.1, 3.0e20, 0.0}}), 1.0);
    EXPECT_NEAR(largest_peaks(s, 0.0, 0.5, 1)[0].amplitude, 3.0e20, 3.0e18);
    EXPECT_NEAR(band_rms(s, 0.0, 0.5), 3.0e20 / std::sqrt(2.0), 3.0e18);
    EXPECT_TRUE(std::isfinite(largest_amplitude(s, 0.0, 0.5)));

    std::vector<REAL> edge(1000);
    for (size_t i = 0; i < edge.size(); ++i) edge[i] = i % 2 ? 3.0e38f : -3.0e38f;
    Spectrum refused;
    EXPECT_EQ(amplitude_spectrum(edge, 1.0, refused), SpectrumStatus::TooLarge);
}

TEST(Spectrum, ABinOnABandLimitBelongsToTheUpperBand) {
    // Three days of minutes in hours: bin 36 lies at 0.5 cph.
    const Spectrum s = spectrum_of(lines(4320, 1.0 / 60.0, {{0.5, 10.0, 0.0}}), 1.0 / 60.0);
    EXPECT_NEAR(band_rms(s, 0.5, 1.0), band_rms(s, 0.0, 100.0) * std::sqrt(5.0 / 6.0), 1e-3);
    EXPECT_NEAR(band_peak(s, 0.5, 1.0).frequency, 0.5, 1e-9);
}

}  // namespace
}  // namespace datrax
