// Speed of the amplitude spectrum on a full data set of 6,000,000 samples
// at one minute: the whole record transformed and drawn up to 0.5 cph (the
// default), the same drawn up to the Nyquist frequency (3,000,001 bins,
// each a pen move), a window of prime length, and a save of the default drawing into an HP-GL file.
// The plot runs as the user drives it; the time measured is the processor
// time from the answer to the maximum frequency (or to Save) to the next
// prompt, so the transform counts wherever it is needed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/plot_bench.h"
#include "plots/spectrum_plot.h"

namespace {

using datrax::INTEGER;
using datrax::REAL;

constexpr INTEGER kSamples = 6000000;

void remove_files() {
    std::filesystem::remove("datrax-bench.plt");
    std::filesystem::remove("datrax-bench.spc");
}

// Tides, drift and noise at one minute in data set 1.
class SpectrumRun : public datrax::bench::PlotBench {
public:
    SpectrumRun() : PlotBench("[Zoom/", datrax::spectrum_plot) {
        datrax::dset.TUNIT = "min";
        datrax::dset.ITU = 2;
        datrax::dset.DT(1) = 1.0f;
        datrax::AXLABS();
        datrax::screen_setup();
        uint32_t noise = 12345;
        for (INTEGER i = 1; i <= kSamples; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double hours = i / 60.0;
            datrax::Y(i, 1) = static_cast<REAL>(35.0 * std::cos(hours / 12.42 * 6.2831853) +
                                                38.0 * std::cos(hours / 23.93 * 6.2831853) + 0.001 * hours +
                                                2.0 * ((noise >> 8) / 16777216.0 - 0.5));
        }
        datrax::dset.NPTS(1) = kSamples;
        datrax::dset.FNAME(1) = "datrax-bench.dat";
        datrax::specw.PLTNAM = "datrax-bench.plt";
        datrax::specw.NPLT = 16;
    }
    ~SpectrumRun() { remove_files(); }
};

void time_calls(benchmark::State& state, const std::string& keys) {
    static SpectrumRun r;
    datrax::bench::time_plot_calls(state, r, keys, kSamples, remove_files);
}

void BM_SpectrumTo05Cph(benchmark::State& state) { time_calls(state, "n0.5{enter}q"); }
BENCHMARK(BM_SpectrumTo05Cph)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SpectrumToNyquist(benchmark::State& state) { time_calls(state, "n30{enter}q"); }
BENCHMARK(BM_SpectrumToNyquist)->UseManualTime()->Unit(benchmark::kMillisecond);

// A window of 5,999,993 samples, a prime length, through fixed time limits
// in minutes.
void BM_SpectrumPrimeWindow(benchmark::State& state) { time_calls(state, "y0{enter}5999992{enter}0.5{enter}q"); }
BENCHMARK(BM_SpectrumPrimeWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// The save follows a screen drawing; only the save is timed.
void BM_SaveToPlotFile(benchmark::State& state) { time_calls(state, "n0.5{enter}syq"); }
BENCHMARK(BM_SaveToPlotFile)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
