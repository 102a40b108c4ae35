// The amplitude spectrum of a window of samples: missing samples filled,
// mean and linear trend removed, Hann window, one real transform of the
// whole window in single precision (FFTW), amplitudes (and every measure
// taken of them) in double, scaled so that a sinusoid of amplitude A shows
// a peak of height A. Also the measures read
// from a spectrum: band RMS, band peaks and the largest peaks.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "base/types.h"
#include "records/missing.h"

namespace datrax {

// Most missing samples a window may hold for its spectrum: one in ten.
inline bool too_many_missing(int64_t missing, int64_t samples) { return missing * 10 > samples; }

// Fewest samples a spectrum is computed from.
constexpr INTEGER kMinSpectrumSamples = 4;

// The samples a spectrum is taken of: first .. last of a data set.
struct SpectrumWindow {
    INTEGER first = 1, last = 0;
};

struct Spectrum {
    double df = 0.0;                // frequency step: bin j lies at j x df (cycles per time unit of dt)
    std::vector<double> amplitude;  // amplitude of bins 0 .. n/2, in the data unit
    INTEGER samples = 0;            // samples in the window (n)
    INTEGER filled = 0;             // missing samples filled before the transform
    // Frequency of bin j.
    double frequency(size_t j) const { return static_cast<double>(j) * df; }
};

struct SpectrumPeak {
    double frequency = 0.0;  // refined between bins for a Hann window
    double amplitude = 0.0;  // refined likewise (the scalloping loss undone)
};

// TooLarge: values so large that the single-precision transform overflows.
enum class SpectrumStatus { Ok, TooFewSamples, TooManyMissing, TooLarge };

// Fills each run of NaN by a straight line between its present neighbours;
// a run at either end takes the value of its one neighbour. Returns false
// (and leaves the samples) when none is present.
bool fill_missing(std::span<REAL> samples);

// Removes the least-squares straight line (mean and trend).
void remove_trend(std::span<REAL> samples);

// The spectrum of the samples taken every dt time units. The samples are
// copied; a window with more missing samples than too_many_missing allows,
// with fewer than kMinSpectrumSamples, or whose transform is not finite, is
// refused.
SpectrumStatus amplitude_spectrum(std::span<const REAL> samples, double dt, Spectrum& out);

// Frequencies that lie within a millionth of a bin of a band limit count as
// on it (a bin at exactly 0.5 cph is not lost to rounding).

// The RMS amplitude of the signal within lo <= f < hi: for a sinusoid of
// amplitude A inside the band it is A / sqrt(2); over all bins it is the
// RMS of the detrended, filled samples (Parseval).
double band_rms(const Spectrum& s, double lo, double hi);

// The largest bin within lo <= f < hi (refined when it is a local maximum);
// amplitude 0 at frequency 0 when the band holds no bin.
SpectrumPeak band_peak(const Spectrum& s, double lo, double hi);

// The COUNT largest local maxima with lo <= f <= hi, largest first (bin 0
// and the last bin are never peaks).
std::vector<SpectrumPeak> largest_peaks(const Spectrum& s, double lo, double hi, int count);

// Largest amplitude of the bins with lo <= f <= hi (0 when there is none).
double largest_amplitude(const Spectrum& s, double lo, double hi);

}  // namespace datrax
