// The tidal waves the tidal fit knows, with their Doodson numbers, and the
// astronomy they rest on: the mean longitudes of moon and sun, each wave's
// astronomical argument and frequency, the nodal corrections of the lunar
// waves, and the rigid-earth gravity tide of a wave at a latitude.
#pragma once
#include <array>
#include <string_view>

namespace datrax {

// How a wave's nodal corrections are computed.
enum class NodalKind { None, O1, K1, M2, K2, M3 };

struct TideWave {
    std::string_view name;
    // Doodson numbers: coefficients of tau, s, h, p, N', p1 (not offset by 5).
    std::array<int, 6> doodson;
    double offset;  // phase of the wave at argument zero, degrees (-90 for most diurnal waves)
    double H;       // potential amplitude (metres of equilibrium tide); 0 for the degree-3 wave
    int degree;     // degree of the potential term (2, or 3 for M3)
    NodalKind nodal;
    int species() const { return doodson[0]; }
};

constexpr int kTideWaveCount = 9;
// Q1, O1, P1, K1, N2, M2, S2, K2, M3 in order of frequency.
extern const std::array<TideWave, kTideWaveCount> kTideWaves;

// Doodson's astronomical variables in degrees: tau (mean lunar time), s, h,
// p, N' (= -N, N the longitude of the moon's ascending node) and p1.
struct MeanLongitudes {
    std::array<double, 6> angle{};  // degrees, not reduced
    std::array<double, 6> rate{};   // degrees per hour
};
// At a time given as seconds since 1970-01-01 00:00:00 UTC.
MeanLongitudes mean_longitudes(double seconds);

// Astronomical argument V of a wave at a time, degrees in [0, 360).
double astronomical_argument(const TideWave& wave, double seconds);
// The wave's frequency in cycles per hour (at the given time; it drifts by
// parts in 1e9 per century).
double wave_frequency(const TideWave& wave, double seconds);

struct NodalCorrection {
    double f = 1.0;  // amplitude factor
    double u = 0.0;  // phase correction, degrees
};
NodalCorrection nodal_correction(const TideWave& wave, double seconds);

// Amplitude of the wave's gravity tide on a rigid earth at a latitude
// (degrees, north positive), in m/s^2; 0 for a wave without a potential
// amplitude in the table (M3).
double rigid_gravity_tide(const TideWave& wave, double latitude);

}  // namespace datrax
