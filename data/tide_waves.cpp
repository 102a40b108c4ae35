#include "data/tide_waves.h"

#include <cmath>
#include <numbers>

namespace datrax {

// Potential amplitudes of the degree-2 waves: Cartwright and Tayler (1971),
// corrected by Cartwright and Edden (1973). Phase offsets make every
// amplitude positive (diurnal waves -90 degrees, K1 +90 degrees, M3 180
// degrees), the usual convention of oceanographic harmonic analysis.
const std::array<TideWave, kTideWaveCount> kTideWaves = {{
    {"Q1", {1, -2, 0, 1, 0, 0}, -90.0, 0.05020, 2, NodalKind::O1},
    {"O1", {1, -1, 0, 0, 0, 0}, -90.0, 0.26221, 2, NodalKind::O1},
    {"P1", {1, 1, -2, 0, 0, 0}, -90.0, 0.12203, 2, NodalKind::None},
    {"K1", {1, 1, 0, 0, 0, 0}, 90.0, 0.36878, 2, NodalKind::K1},
    {"N2", {2, -1, 0, 1, 0, 0}, 0.0, 0.12099, 2, NodalKind::M2},
    {"M2", {2, 0, 0, 0, 0, 0}, 0.0, 0.63192, 2, NodalKind::M2},
    {"S2", {2, 2, -2, 0, 0, 0}, 0.0, 0.29400, 2, NodalKind::None},
    {"K2", {2, 2, 0, 0, 0, 0}, 0.0, 0.07996, 2, NodalKind::K2},
    {"M3", {3, 0, 0, 0, 0, 0}, 180.0, 0.0, 3, NodalKind::M3},
}};

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kHoursPerCentury = 36525.0 * 24.0;

// A polynomial in Julian centuries T and its derivative per century.
struct Poly {
    double c0, c1, c2, c3, c4;
    double at(double T) const { return c0 + T * (c1 + T * (c2 + T * (c3 + T * c4))); }
    double slope(double T) const { return c1 + T * (2.0 * c2 + T * (3.0 * c3 + T * 4.0 * c4)); }
};

// Mean elements of the moon and sun, degrees: Meeus, Astronomical
// Algorithms, 2nd ed. (1998), eqs. 47.1-47.5 and the node of chapter 47.
constexpr Poly kMoonLongitude{218.3164477, 481267.88123421, -0.0015786, 1.0 / 538841.0, -1.0 / 65194000.0};
constexpr Poly kElongation{297.8501921, 445267.1114034, -0.0018819, 1.0 / 545868.0, -1.0 / 113065000.0};
constexpr Poly kSunAnomaly{357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0, 0.0};
constexpr Poly kMoonAnomaly{134.9633964, 477198.8675055, 0.0087414, 1.0 / 69699.0, -1.0 / 14712000.0};
constexpr Poly kNode{125.0445479, -1934.1362891, 0.0020754, 1.0 / 467441.0, -1.0 / 60616000.0};

double centuries_since_j2000(double seconds) { return (seconds / 86400.0 + 2440587.5 - 2451545.0) / 36525.0; }

double reduced(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

}  // namespace

MeanLongitudes mean_longitudes(double seconds) {
    const double T = centuries_since_j2000(seconds);
    const double s = kMoonLongitude.at(T), ds = kMoonLongitude.slope(T) / kHoursPerCentury;
    // The sun's mean longitude h = s - D; perigees from the mean anomalies.
    const double h = s - kElongation.at(T), dh = ds - kElongation.slope(T) / kHoursPerCentury;
    const double p = s - kMoonAnomaly.at(T), dp = ds - kMoonAnomaly.slope(T) / kHoursPerCentury;
    const double p1 = h - kSunAnomaly.at(T), dp1 = dh - kSunAnomaly.slope(T) / kHoursPerCentury;
    const double n = -kNode.at(T), dn = -kNode.slope(T) / kHoursPerCentury;
    // Mean solar time at Greenwich: 180 degrees at midnight UT, 15 degrees an hour.
    const double solar = 180.0 + std::fmod(seconds, 86400.0) / 240.0;
    MeanLongitudes m;
    m.angle = {solar + h - s, s, h, p, n, p1};
    m.rate = {15.0 + dh - ds, ds, dh, dp, dn, dp1};
    return m;
}

double astronomical_argument(const TideWave& wave, double seconds) {
    const MeanLongitudes m = mean_longitudes(seconds);
    double v = wave.offset;
    for (size_t i = 0; i < 6; ++i) v += wave.doodson[i] * reduced(m.angle[i]);
    return reduced(v);
}

double wave_frequency(const TideWave& wave, double seconds) {
    const MeanLongitudes m = mean_longitudes(seconds);
    double rate = 0.0;
    for (size_t i = 0; i < 6; ++i) rate += wave.doodson[i] * m.rate[i];
    return rate / 360.0;
}

NodalCorrection nodal_correction(const TideWave& wave, double seconds) {
    // Pugh, Tides, Surges and Mean Sea-Level (1987), Table 4.3, in the
    // longitude N of the moon's ascending node.
    const double N = kNode.at(centuries_since_j2000(seconds)) * kDegree;
    const double c1 = std::cos(N), c2 = std::cos(2 * N), c3 = std::cos(3 * N);
    const double s1 = std::sin(N), s2 = std::sin(2 * N), s3 = std::sin(3 * N);
    const NodalCorrection m2{1.0004 - 0.0373 * c1 + 0.0002 * c2, -2.14 * s1};
    switch (wave.nodal) {
        case NodalKind::None: return {};
        case NodalKind::O1:
            return {1.0089 + 0.1871 * c1 - 0.0147 * c2 + 0.0014 * c3, 10.80 * s1 - 1.34 * s2 + 0.19 * s3};
        case NodalKind::K1:
            return {1.0060 + 0.1150 * c1 - 0.0088 * c2 + 0.0006 * c3, -8.86 * s1 + 0.68 * s2 - 0.07 * s3};
        case NodalKind::M2: return m2;
        case NodalKind::K2:
            return {1.0241 + 0.2863 * c1 + 0.0083 * c2 - 0.0015 * c3, -17.74 * s1 + 0.68 * s2 - 0.04 * s3};
        case NodalKind::M3: return {std::pow(m2.f, 1.5), 1.5 * m2.u};
    }
    return {};
}

double rigid_gravity_tide(const TideWave& wave, double latitude) {
    // Degree-n gravity tide of a rigid earth: n (g / a) times the
    // equilibrium height H |Y(n,m)| of the fully normalised harmonic, at the
    // geocentric latitude of the station on the GRS80 ellipsoid.
    constexpr double kGravity = 9.80665;   // m/s^2
    constexpr double kRadius = 6371000.0;  // mean earth radius, m
    constexpr double kFlattening = 1.0 / 298.257222101;
    if (wave.H == 0.0) return 0.0;
    const double e2 = kFlattening * (2.0 - kFlattening);
    const double psi = std::atan((1.0 - e2) * std::tan(latitude * kDegree));
    const double sp = std::sin(psi), cp = std::cos(psi);
    double y = 0.0;
    switch (wave.species()) {
        case 1: y = std::sqrt(15.0 / (8.0 * std::numbers::pi)) * std::fabs(sp * cp); break;
        case 2: y = std::sqrt(15.0 / (32.0 * std::numbers::pi)) * cp * cp; break;
        default: return 0.0;
    }
    return wave.degree * kGravity / kRadius * wave.H * y;
}

}  // namespace datrax
