// Harmonic least-squares analysis of a window of samples: for each tidal
// wave the window resolves a cosine and a sine at its frequency, with the
// nodal corrections of the window's centre; waves closer than the Rayleigh
// criterion fitted as one group; a polynomial drift; and, if asked, an
// admittance to a pressure series on the same time grid. Missing samples
// (NaN) are left out, never filled.
#pragma once
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "base/types.h"

namespace datrax {

constexpr double kMinTideWindowHours = 24.0;  // shortest window analysed
constexpr int kMaxDriftDegree = 3;

struct TideInput {
    std::span<const REAL> samples;                               // the window's samples, NaN where missing
    std::span<const REAL> pressure;                              // empty, or the pressure at the same times
    double start = 0.0;                                          // time of samples[0], seconds since 1970 UTC
    double interval = 0.0;                                       // seconds between samples
    int drift_degree = 1;                                        // 0 .. kMaxDriftDegree
    double latitude = std::numeric_limits<double>::quiet_NaN();  // station latitude, degrees
    double unit_in_si = 0.0;                                     // one data unit in m/s^2; 0 when not a gravity unit
};

// One fitted wave, or a group of waves sharing the leader's amplitude
// factor and phase lag (the others follow in their potential's ratio).
struct TideGroup {
    std::vector<int> waves;                                    // indices into kTideWaves, the leader first
    double frequency = 0.0;                                    // leader's frequency, cycles per hour
    double amplitude = 0.0, amplitude_error = 0.0;             // data unit, nodal factor removed
    double phase = 0.0, phase_error = 0.0;                     // Greenwich phase lag, degrees 0..360
    double factor = std::numeric_limits<double>::quiet_NaN();  // against the rigid-earth tide
    double f = 1.0, u = 0.0;                                   // leader's nodal correction at the centre
    std::string label() const;                                 // "K1", or "K1+P1" for a group
};

enum class TideStatus { Ok, TooShort, TooFewSamples, Singular };

struct TideFit {
    std::vector<TideGroup> groups;
    std::vector<int> left_out;  // waves longer than the window
    bool admittance_fitted = false;
    double admittance = 0.0, admittance_error = 0.0;  // data unit per pressure unit
    std::vector<double> drift, drift_error;           // coefficient k of (days from the centre)^k
    int64_t samples = 0, used = 0, missing = 0;
    int parameters = 0;
    int64_t freedom = 0;                        // degrees of freedom: used - parameters
    double rms_residual = 0.0, rms_data = 0.0;  // data's RMS about its mean
    double centre = 0.0;                        // window centre, seconds since 1970 UTC
    double hours = 0.0;                         // window length, samples x interval
    std::vector<REAL> residual;                 // observed - whole fit, NaN where missing
    std::vector<REAL> tide;                     // the fitted waves alone, at every sample
};

// Which waves a window of this many hours fits, and how they group: taken
// strongest first, a wave within 1/hours cph of a member of a group of its
// species joins that group (whose leader is then the stronger wave); waves
// of longer period than the window are left out.
void plan_groups(double hours, std::vector<TideGroup>& groups, std::vector<int>& left_out);

TideStatus fit_tides(const TideInput& in, TideFit& out);

}  // namespace datrax
