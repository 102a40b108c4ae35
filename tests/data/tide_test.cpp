// The tidal fit: astronomical arguments against published expressions,
// recovery of synthetic series with and without noise, gaps, grouping, and
// the sample GGP month against the waves its generator used.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "data/ggp_units.h"
#include "data/tide_fit.h"
#include "data/tide_waves.h"
#include "reader_test_support.h"

namespace datrax {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr double kJan2024 = 1704067200.0;  // 2024-01-01 00:00 UTC
constexpr double kHour = 3600.0;

const TideWave& wave(std::string_view name) {
    for (const TideWave& w : kTideWaves)
        if (w.name == name) return w;
    throw std::runtime_error("no wave " + std::string(name));
}

double angle_difference(double a, double b) { return std::remainder(a - b, 360.0); }

// Expected arguments from the fundamental arguments of the IERS Conventions
// (2010), eq. 5.43 (Simon et al. 1994): s = F + Omega, h = F + Omega - D,
// with the mean solar time 180 + 15 UT (hours); evaluated once by hand for
// the two epochs. V(M2) = 2(T + h - s), V(S2) = 2T, V(K1) = T + h + 90,
// V(O1) = T + h - 2s - 90 (Doodson numbers 255.555, 273.555, 165.555,
// 145.555).
TEST(TideArguments, MatchPublishedFundamentalArguments) {
    struct Row {
        double seconds;
        const char* wave;
        double expected;
    } rows[] = {
        {946684800.0, "M2", 136.490358},  {946684800.0, "S2", 0.0},
        {946684800.0, "K1", 189.973626},  {946684800.0, "O1", 306.516732},
        {1710590400.0, "M2", 207.473954}, {1710590400.0, "S2", 0.0},  // 2024-03-16 12:00 UTC
        {1710590400.0, "K1", 84.574759},  {1710590400.0, "O1", 122.899195},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(angle_difference(astronomical_argument(wave(r.wave), r.seconds), r.expected), 0.0, 0.001)
            << r.wave << " at " << r.seconds;
}

// Angular speeds in degrees per hour as tabulated by Schureman, Manual of
// Harmonic Analysis and Prediction of Tides (1958), Table 2.
TEST(TideArguments, SpeedsMatchTheTabulatedOnes) {
    const std::map<std::string, double> speeds = {
        {"Q1", 13.3986609}, {"O1", 13.9430356}, {"P1", 14.9589314}, {"K1", 15.0410686}, {"N2", 28.4397295},
        {"M2", 28.9841042}, {"S2", 30.0},       {"K2", 30.0821373}, {"M3", 43.4761563},
    };
    for (const TideWave& w : kTideWaves)
        EXPECT_NEAR(wave_frequency(w, 946728000.0) * 360.0, speeds.at(std::string(w.name)), 2e-6) << w.name;
}

// One wave of a synthetic series.
struct Wave {
    const char* name;
    double amplitude, phase;  // data unit, Greenwich phase lag (degrees)
};

struct Series {
    std::vector<REAL> y, pressure;
    double start = kJan2024, interval = kHour;
};

// Given nodal corrections at the centre of 2024 (2024-07-01 23:30 UTC,
// node longitude 11.189 degrees), from Pugh (1987) Table 4.3.
const std::map<std::string, NodalCorrection> kNodal2024 = {
    {"Q1", {1.180017, 1.69059}},  {"O1", {1.180017, 1.69059}},  {"P1", {1.0, 0.0}},
    {"K1", {1.111177, -1.49907}}, {"N2", {0.963994, -0.41526}}, {"M2", {0.963994, -0.41526}},
    {"S2", {1.0, 0.0}},           {"K2", {1.311383, -3.20561}}, {"M3", {0.946480, -0.62289}},
};

const std::vector<Wave> kYearWaves = {
    {"Q1", 6.0, 10.0}, {"O1", 32.0, 20.0}, {"P1", 15.0, 30.0}, {"K1", 45.0, 40.0}, {"N2", 12.0, 350.0},
    {"M2", 60.0, 5.0}, {"S2", 28.0, 15.0}, {"K2", 8.0, 25.0},  {"M3", 0.6, 200.0},
};
constexpr double kDrift[] = {12.0, 0.02, -1.0e-4};  // data unit per day^k from the centre
constexpr double kAdmittance = -0.3;

double synthetic_pressure(double hours) {
    return 1013.0 + 8.0 * std::sin(2 * std::numbers::pi * hours / 131.0) +
           3.0 * std::sin(2 * std::numbers::pi * hours / 47.0 + 1.0);
}

// n hourly samples from `start` of the waves with the given nodal
// corrections, the drift, the admittance times the pressure with its mean
// removed, and noise.
Series synthetic(size_t n, double start, const std::vector<Wave>& waves,
                 const std::map<std::string, NodalCorrection>& nodal, double noise = 0.0, unsigned seed = 1) {
    Series s;
    s.start = start;
    std::mt19937 rng(seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    double mean_p = 0.0;
    for (size_t i = 0; i < n; ++i) mean_p += synthetic_pressure(static_cast<double>(i)) / static_cast<double>(n);
    const double centre = 0.5 * static_cast<double>(n - 1);
    for (size_t i = 0; i < n; ++i) {
        const double t = start + static_cast<double>(i) * kHour;
        double y = 0.0;
        for (const Wave& w : waves) {
            const NodalCorrection nc = nodal.at(w.name);
            y += nc.f * w.amplitude * std::cos((astronomical_argument(wave(w.name), t) + nc.u - w.phase) * kDeg);
        }
        const double days = (static_cast<double>(i) - centre) / 24.0;
        y += kDrift[0] + kDrift[1] * days + kDrift[2] * days * days;
        const double p = synthetic_pressure(static_cast<double>(i));
        y += kAdmittance * (p - mean_p) + noise * gauss(rng);
        s.y.push_back(static_cast<REAL>(y));
        s.pressure.push_back(static_cast<REAL>(p));
    }
    return s;
}

TideFit fit(const Series& s, bool admittance = true, int degree = 2) {
    TideInput in;
    in.samples = s.y;
    if (admittance) in.pressure = s.pressure;
    in.start = s.start;
    in.interval = s.interval;
    in.drift_degree = degree;
    TideFit out;
    EXPECT_EQ(fit_tides(in, out), TideStatus::Ok);
    return out;
}

const TideGroup& group(const TideFit& f, std::string_view label) {
    for (const TideGroup& g : f.groups)
        if (g.label() == label) return g;
    throw std::runtime_error("no group " + std::string(label));
}

TEST(TideFit, NoiselessYearRecoversEveryParameter) {
    const Series s = synthetic(8784, kJan2024, kYearWaves, kNodal2024);
    const TideFit f = fit(s);
    ASSERT_EQ(f.groups.size(), kYearWaves.size());
    for (const Wave& w : kYearWaves) {
        const TideGroup& g = group(f, w.name);
        EXPECT_NEAR(g.amplitude / w.amplitude, 1.0, 1e-4) << w.name;
        EXPECT_NEAR(angle_difference(g.phase, w.phase), 0.0, 0.01) << w.name;
    }
    ASSERT_EQ(f.drift.size(), 3u);
    for (size_t k = 0; k < 3; ++k) EXPECT_NEAR(f.drift[k] / kDrift[k], 1.0, 1e-4) << k;
    EXPECT_NEAR(f.admittance / kAdmittance, 1.0, 1e-4);
    EXPECT_EQ(f.used, 8784);
    EXPECT_EQ(f.parameters, 9 * 2 + 3 + 1);
    EXPECT_EQ(f.freedom, 8784 - 22);
    EXPECT_LT(f.rms_residual, 1e-4);
}

// Every fitted parameter of one run, by name, with its standard error.
std::map<std::string, std::pair<double, double>> parameters(const TideFit& f) {
    std::map<std::string, std::pair<double, double>> p;
    for (const TideGroup& g : f.groups) {
        p[g.label() + " amplitude"] = {g.amplitude, g.amplitude_error};
        p[g.label() + " phase"] = {g.phase, g.phase_error};
    }
    for (size_t k = 0; k < f.drift.size(); ++k) p["drift " + std::to_string(k)] = {f.drift[k], f.drift_error[k]};
    p["admittance"] = {f.admittance, f.admittance_error};
    return p;
}

std::map<std::string, double> truth() {
    std::map<std::string, double> t;
    for (const Wave& w : kYearWaves) {
        t[std::string(w.name) + " amplitude"] = w.amplitude;
        t[std::string(w.name) + " phase"] = w.phase;
    }
    for (size_t k = 0; k < 3; ++k) t["drift " + std::to_string(k)] = kDrift[k];
    t["admittance"] = kAdmittance;
    return t;
}

TEST(TideFit, NoisyRepetitionsScatterAsTheStandardErrorsSay) {
    constexpr int kRuns = 50;
    const std::map<std::string, double> expected = truth();
    std::map<std::string, std::vector<double>> values;
    std::map<std::string, double> errors;
    for (int run = 0; run < kRuns; ++run) {
        const TideFit f = fit(synthetic(8784, kJan2024, kYearWaves, kNodal2024, 2.0, 100 + run));
        for (const auto& [name, ve] : parameters(f)) {
            const double offset =
                name.ends_with("phase") ? angle_difference(ve.first, expected.at(name)) : ve.first - expected.at(name);
            if (run == 0) {
                EXPECT_LT(std::fabs(offset), 3.0 * ve.second) << name;
            }
            values[name].push_back(offset);
            errors[name] += ve.second / kRuns;
        }
    }
    for (const auto& [name, v] : values) {
        double mean = 0.0, square = 0.0;
        for (const double x : v) mean += x / kRuns;
        for (const double x : v) square += (x - mean) * (x - mean);
        const double scatter = std::sqrt(square / (kRuns - 1));
        EXPECT_NEAR(scatter / errors[name], 1.0, 0.2) << name;
    }
}

// The nodal corrections of every wave at the centre of n hourly samples.
std::map<std::string, NodalCorrection> nodal_at_centre(size_t n, double start) {
    std::map<std::string, NodalCorrection> m;
    for (const TideWave& w : kTideWaves)
        m[std::string(w.name)] = nodal_correction(w, start + 0.5 * static_cast<double>(n - 1) * kHour);
    return m;
}

// Two months of one series (each with its own nodal corrections, P1 and K2
// in their potential's ratio to K1 and S2) fitted apart.
TEST(TideFit, TwoMonthsGivePhasesEqualWithinATenthOfADegree) {
    std::vector<Wave> waves = {{"Q1", 6.0, 10.0}, {"O1", 32.0, 20.0}, {"K1", 45.0, 40.0}, {"N2", 12.0, 350.0},
                               {"M2", 60.0, 5.0}, {"S2", 28.0, 15.0}, {"M3", 0.6, 200.0}};
    waves.push_back({"P1", 45.0 * wave("P1").H / wave("K1").H, 40.0});
    waves.push_back({"K2", 28.0 * wave("K2").H / wave("S2").H, 15.0});
    const double july = kJan2024 + 182.0 * 86400.0;
    const TideFit a = fit(synthetic(744, kJan2024, waves, nodal_at_centre(744, kJan2024)));
    const TideFit b = fit(synthetic(744, july, waves, nodal_at_centre(744, july)));
    EXPECT_GT(std::fabs(group(a, "O1").f - group(b, "O1").f), 1e-3);  // the months' nodal factors differ
    ASSERT_EQ(a.groups.size(), b.groups.size());
    for (size_t g = 0; g < a.groups.size(); ++g) {
        EXPECT_EQ(a.groups[g].label(), b.groups[g].label());
        EXPECT_NEAR(angle_difference(a.groups[g].phase, b.groups[g].phase), 0.0, 0.1) << a.groups[g].label();
        EXPECT_NEAR(a.groups[g].amplitude / b.groups[g].amplitude, 1.0, 1e-3) << a.groups[g].label();
    }
    EXPECT_NEAR(angle_difference(group(a, "K1+P1").phase, 40.0), 0.0, 0.1);
}

TEST(TideFit, MissingSamplesChangeOnlyTheStandardErrors) {
    const Series full = synthetic(8784, kJan2024, kYearWaves, kNodal2024, 2.0, 7);
    Series gappy = full;
    for (size_t i = 1000; i < 1024; ++i) gappy.y[i] = std::numeric_limits<REAL>::quiet_NaN();      // a day
    for (size_t i = 3000; i < 8784; i += 97) gappy.y[i] = std::numeric_limits<REAL>::quiet_NaN();  // flags
    gappy.pressure[5000] = std::numeric_limits<REAL>::quiet_NaN();  // a pressure gap drops its sample too
    const TideFit a = fit(full), b = fit(gappy);
    EXPECT_EQ(b.missing, 24 + 60 + 1);
    EXPECT_EQ(b.used, 8784 - b.missing);
    const auto pa = parameters(a), pb = parameters(b);
    for (const auto& [name, ve] : pa) {
        const double offset =
            name.ends_with("phase") ? angle_difference(pb.at(name).first, ve.first) : pb.at(name).first - ve.first;
        EXPECT_LT(std::fabs(offset), 0.5 * ve.second) << name;
        EXPECT_GT(pb.at(name).second, ve.second) << name;
    }
    // Without noise the estimates do not move at all.
    Series clean = synthetic(8784, kJan2024, kYearWaves, kNodal2024);
    const TideFit c = fit(clean);
    for (size_t i = 1000; i < 1024; ++i) clean.y[i] = std::numeric_limits<REAL>::quiet_NaN();
    const TideFit d = fit(clean);
    for (size_t g = 0; g < c.groups.size(); ++g) EXPECT_NEAR(d.groups[g].amplitude / c.groups[g].amplitude, 1.0, 1e-6);
    EXPECT_TRUE(std::isnan(d.residual[1000]));
    EXPECT_FALSE(std::isnan(d.tide[1000]));
}

TEST(TideFit, ShortWindowsGroupWhatTheyCannotResolve) {
    struct Case {
        double hours;
        std::vector<std::string> labels;
        std::vector<std::string> left_out;
    } cases[] = {
        {24.0 * 365, {"Q1", "O1", "P1", "K1", "N2", "M2", "S2", "K2", "M3"}, {}},
        {24.0 * 30, {"Q1", "O1", "K1+P1", "N2", "M2", "S2+K2", "M3"}, {}},
        {24.0 * 16, {"O1+Q1", "K1+P1", "M2+N2", "S2+K2", "M3"}, {}},
        {24.0 * 10, {"K1+O1+P1+Q1", "M2+S2+N2+K2", "M3"}, {}},
        {25.0, {"K1+P1", "M2+S2+N2+K2", "M3"}, {"Q1", "O1"}},
    };
    for (const Case& c : cases) {
        std::vector<TideGroup> groups;
        std::vector<int> left_out;
        plan_groups(c.hours, groups, left_out);
        std::vector<std::string> labels, out;
        for (const TideGroup& g : groups) labels.push_back(g.label());
        for (const int w : left_out) out.emplace_back(kTideWaves[static_cast<size_t>(w)].name);
        EXPECT_EQ(labels, c.labels) << c.hours;
        EXPECT_EQ(out, c.left_out) << c.hours;
    }
}

TEST(TideFit, RefusesWhatCannotBeFitted) {
    Series s = synthetic(20, kJan2024, kYearWaves, kNodal2024);
    TideInput in;
    in.samples = s.y;
    in.start = s.start;
    in.interval = kHour;
    TideFit out;
    EXPECT_EQ(fit_tides(in, out), TideStatus::TooShort);
    s = synthetic(48, kJan2024, kYearWaves, kNodal2024);
    for (size_t i = 5; i < 48; ++i) s.y[i] = std::numeric_limits<REAL>::quiet_NaN();
    in.samples = s.y;
    EXPECT_EQ(fit_tides(in, out), TideStatus::TooFewSamples);
    s = synthetic(240, kJan2024, kYearWaves, kNodal2024);
    std::fill(s.pressure.begin(), s.pressure.end(), 1013.0f);
    in.samples = s.y;
    in.pressure = s.pressure;
    EXPECT_EQ(fit_tides(in, out), TideStatus::Singular);
}

TEST(GgpHeader, LatitudeLines) {
    const double kNone = -999.0;
    struct Row {
        const char* line;
        double latitude;
    } rows[] = {
        {"N. Latitude (deg) :    48.330", 48.33},   {"N Latitude (deg) : 32.7800", 32.78},
        {"N. Latitude (deg) :   -33.95  ", -33.95}, {"N. Latitude (deg) :   91.0", kNone},
        {"N. Latitude (deg) :   48.3 N", kNone},    {"N. Latitude (deg) :", kNone},
        {"E. Longitude (deg):     8.330", kNone},   {"yyyymmdd hhmmss gravity(microgal) pressure(mbar)", kNone},
    };
    for (const Row& r : rows) {
        double latitude = kNone;
        scan_header_latitude(r.line, latitude);
        EXPECT_DOUBLE_EQ(latitude, r.latitude) << r.line;
    }
}

// The sample month: tools/make_samples.py writes plain cosines of 35 (M2,
// period 12.42 h), 16 (S2), 38 (K1) and 28 microgal (O1, 25.82 h), a drift
// of 0.8 microgal a day and noise of 0.6 microgal. A plain cosine shows the
// wave times its nodal factor f, so the fit's amplitude times f is compared
// for the waves a month resolves (K1 and S2 share groups with P1 and K2).
// The generator's K1 and S2 come without the P1 and K2 that go with them in
// the tide; the groups cannot follow them exactly, and what they leave
// (about 3 microgal RMS) moves O1, 0.003 cph away, by 2.4 %.
TEST(TideFit, SampleMonthAgreesWithItsGenerator) {
    testing::Screen screen;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples");
    dset.FNAME(1) = "bf240301.ggp";
    INTEGER status = 0;
    RDFILE(dset.FNAME, 1, status);
    std::filesystem::current_path(old);
    ASSERT_EQ(status, 0);
    TideInput in;
    in.samples = std::span<const REAL>(Y.column(1), static_cast<size_t>(dset.NPTS(1)));
    in.start = dset.start(1);
    in.interval = dset.interval_seconds(1);
    in.latitude = dset.latitude(1);
    in.unit_in_si = 1e-8;
    TideFit f;
    ASSERT_EQ(fit_tides(in, f), TideStatus::Ok);
    EXPECT_NEAR(group(f, "M2").amplitude * group(f, "M2").f / 35.0, 1.0, 0.01);
    EXPECT_NEAR(group(f, "O1").amplitude * group(f, "O1").f / 28.0, 1.0, 0.03);
    EXPECT_LT(f.rms_residual / f.rms_data, 0.1);
    EXPECT_NEAR(dset.latitude(1), 48.33, 1e-9);
    EXPECT_GT(group(f, "M2").factor, 1.0);
    EXPECT_LT(group(f, "M2").factor, 1.25);
    std::printf("sample month: residual RMS %.4f, data RMS %.4f, ratio %.4f\n", f.rms_residual, f.rms_data,
                f.rms_residual / f.rms_data);
}

}  // namespace
}  // namespace datrax
