#include "data/spectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

namespace datrax {

namespace {

// Equivalent noise bandwidth of the Hann window in bins: the power of a
// bin stands for 1.5 bins of signal.
constexpr double kHannNoiseBandwidth = 1.5;

struct FftwFree {
    void operator()(float* p) const { fftwf_free(p); }
};
using FftwBuffer = std::unique_ptr<float[], FftwFree>;

// The periodic Hann window, whose coherent gain is exactly one half.
void apply_hann(std::span<REAL> x) {
    const double step = 2.0 * std::numbers::pi / static_cast<double>(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] *= static_cast<REAL>(0.5 - 0.5 * std::cos(step * static_cast<double>(i)));
}

// In-place real transform of n samples held in a buffer of 2 (n/2 + 1)
// floats; the result is n/2 + 1 complex values.
void transform(float* buffer, int n) {
    fftwf_plan plan =
        fftwf_plan_dft_r2c_1d(n, buffer, reinterpret_cast<fftwf_complex*>(buffer), FFTW_ESTIMATE | FFTW_DESTROY_INPUT);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);
}

// Amplitudes from the transform: interior bins count their negative
// frequency twin as well; the sum of the window is n / 2.
// False when one of them is not finite (the transform overflowed).
bool amplitudes(const float* buffer, int n, std::vector<double>& out) {
    const size_t bins = static_cast<size_t>(n / 2) + 1;
    out.resize(bins);
    const double interior = 4.0 / static_cast<double>(n), edge = 2.0 / static_cast<double>(n);
    bool finite = true;
    for (size_t j = 0; j < bins; ++j) {
        const double re = buffer[2 * j], im = buffer[2 * j + 1];
        const bool is_edge = j == 0 || (n % 2 == 0 && j == bins - 1);
        out[j] = std::hypot(re, im) * (is_edge ? edge : interior);
        finite = finite && std::isfinite(out[j]);
    }
    return finite;
}

// Bins j with lo <= f(j) < hi (or <= hi when inclusive), cut to the spectrum.
struct BinRange {
    size_t first, end;
};
BinRange bins_of(const Spectrum& s, double lo, double hi, bool inclusive) {
    constexpr double kOnLimit = 1e-6;  // bins
    const size_t bins = s.amplitude.size();
    if (s.df <= 0.0 || bins == 0 || !(hi >= lo)) return {0, 0};
    const double top = std::min(hi / s.df, static_cast<double>(bins));
    const double a = std::ceil(std::max(lo / s.df, 0.0) - kOnLimit);
    double b = inclusive ? std::floor(top + kOnLimit) + 1 : std::ceil(top - kOnLimit);
    b = std::min(b, static_cast<double>(bins));
    if (a >= b) return {0, 0};
    return {static_cast<size_t>(a), static_cast<size_t>(b)};
}

bool is_local_maximum(const std::vector<double>& a, size_t j) {
    return j > 0 && j + 1 < a.size() && a[j] > a[j - 1] && a[j] >= a[j + 1];
}

// A peak of a Hann-windowed line from its bin and the larger neighbour: the
// ratio of the two places the line between them, and the window's shape
// there gives the height the line had before it fell between bins.
SpectrumPeak refine(const Spectrum& s, size_t j) {
    const std::vector<double>& a = s.amplitude;
    SpectrumPeak p{s.frequency(j), a[j]};
    if (!is_local_maximum(a, j) || a[j] <= 0.0) return p;
    const bool right = a[j + 1] >= a[j - 1];
    const double ratio = (right ? a[j + 1] : a[j - 1]) / a[j];
    const double delta = std::clamp((2.0 * ratio - 1.0) / (ratio + 1.0), 0.0, 0.5);
    const double pd = std::numbers::pi * delta;
    const double gain = delta == 0.0 ? 1.0 : std::sin(pd) / pd / (1.0 - delta * delta);
    p.frequency = (static_cast<double>(j) + (right ? delta : -delta)) * s.df;
    p.amplitude = a[j] / gain;
    return p;
}

}  // namespace

bool fill_missing(std::span<REAL> x) {
    const auto present = [](REAL v) { return !std::isnan(v); };
    const auto first = std::find_if(x.begin(), x.end(), present);
    if (first == x.end()) return false;
    std::fill(x.begin(), first, *first);
    size_t last = static_cast<size_t>(first - x.begin());
    for (size_t i = last + 1; i < x.size(); ++i) {
        if (std::isnan(x[i])) continue;
        const double a = x[last], b = x[i], span = static_cast<double>(i - last);
        for (size_t m = last + 1; m < i; ++m)
            x[m] = static_cast<REAL>(a + (b - a) * static_cast<double>(m - last) / span);
        last = i;
    }
    std::fill(x.begin() + static_cast<std::ptrdiff_t>(last) + 1, x.end(), x[last]);
    return true;
}

void remove_trend(std::span<REAL> x) {
    const double n = static_cast<double>(x.size());
    if (x.empty()) return;
    // Least squares against t = i - (n - 1) / 2, for which the sum of t is 0.
    const double mid = (n - 1.0) / 2.0;
    double sum = 0.0, sum_ty = 0.0, sum_tt = 0.0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double t = static_cast<double>(i) - mid;
        sum += x[i];
        sum_ty += t * x[i];
        sum_tt += t * t;
    }
    const double mean = sum / n, slope = sum_tt > 0.0 ? sum_ty / sum_tt : 0.0;
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<REAL>(x[i] - (mean + slope * (static_cast<double>(i) - mid)));
}

SpectrumStatus amplitude_spectrum(std::span<const REAL> samples, double dt, Spectrum& out) {
    const int n = static_cast<int>(samples.size());
    out = Spectrum{};
    out.samples = n;
    if (n < kMinSpectrumSamples || !(dt > 0.0)) return SpectrumStatus::TooFewSamples;
    const int64_t missing = count_missing(samples);
    out.filled = static_cast<INTEGER>(missing);
    if (too_many_missing(missing, n)) return SpectrumStatus::TooManyMissing;

    FftwBuffer buffer(fftwf_alloc_real(2 * (static_cast<size_t>(n) / 2 + 1)));
    const std::span<REAL> x(buffer.get(), static_cast<size_t>(n));
    std::copy(samples.begin(), samples.end(), x.begin());
    if (missing > 0) fill_missing(x);
    remove_trend(x);
    apply_hann(x);
    transform(buffer.get(), n);
    out.df = 1.0 / (static_cast<double>(n) * dt);
    return amplitudes(buffer.get(), n, out.amplitude) ? SpectrumStatus::Ok : SpectrumStatus::TooLarge;
}

double band_rms(const Spectrum& s, double lo, double hi) {
    const BinRange r = bins_of(s, lo, hi, false);
    const size_t last = s.amplitude.size() - 1;
    const bool even = s.samples % 2 == 0;
    double power = 0.0;
    for (size_t j = r.first; j < r.end; ++j) {
        const double a = s.amplitude[j];
        // Bin 0 and the Nyquist bin hold the whole power of their component.
        power += (j == 0 || (even && j == last)) ? a * a : a * a / 2.0;
    }
    return std::sqrt(power / kHannNoiseBandwidth);
}

SpectrumPeak band_peak(const Spectrum& s, double lo, double hi) {
    const BinRange r = bins_of(s, lo, hi, false);
    if (r.first >= r.end) return {};
    const auto begin = s.amplitude.begin();
    const auto top =
        std::max_element(begin + static_cast<std::ptrdiff_t>(r.first), begin + static_cast<std::ptrdiff_t>(r.end));
    return refine(s, static_cast<size_t>(top - begin));
}

std::vector<SpectrumPeak> largest_peaks(const Spectrum& s, double lo, double hi, int count) {
    const BinRange r = bins_of(s, lo, hi, true);
    std::vector<size_t> maxima;
    for (size_t j = r.first; j < r.end; ++j)
        if (is_local_maximum(s.amplitude, j)) maxima.push_back(j);
    const size_t keep = std::min(maxima.size(), static_cast<size_t>(std::max(count, 0)));
    std::partial_sort(maxima.begin(), maxima.begin() + static_cast<std::ptrdiff_t>(keep), maxima.end(),
                      [&](size_t a, size_t b) { return s.amplitude[a] > s.amplitude[b]; });
    std::vector<SpectrumPeak> peaks;
    for (size_t m = 0; m < keep; ++m) peaks.push_back(refine(s, maxima[m]));
    return peaks;
}

double largest_amplitude(const Spectrum& s, double lo, double hi) {
    const BinRange r = bins_of(s, lo, hi, true);
    double top = 0.0;
    for (size_t j = r.first; j < r.end; ++j) top = std::max(top, s.amplitude[j]);
    return top;
}

}  // namespace datrax
