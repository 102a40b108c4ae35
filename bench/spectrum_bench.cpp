// Speed of the amplitude spectrum on a full data set of 6,000,000 samples
// at one minute: the whole record transformed and drawn up to 0.5 cph (the
// default), the same drawn up to the Nyquist frequency (3,000,001 bins,
// each a pen move), a window of prime length, and a save of the default drawing into an HP-GL file.
// The plot runs as the user drives it; the time measured is the processor
// time from the answer to the maximum frequency (or to Save) to the next
// prompt, so the transform counts wherever it is needed.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/main_program.h"
#include "app/state.h"
#include "bench/timing_window.h"
#include "data/units.h"
#include "plotlib/plotlib.h"
#include "plots/spectrum_plot.h"

namespace {

using datrax::INTEGER;
using datrax::REAL;

constexpr INTEGER kSamples = 6000000;

// Tides, drift and noise at one minute in data set 1.
class SpectrumRun {
public:
    SpectrumRun() {
        datrax::reset_state();
        datrax::platform::set_window(&window);
        old_cwd = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        datrax::pp.XLEN = datrax::pp.XMAX - datrax::pp.XMIN;
        datrax::pp.YLEN = datrax::pp.YMAX - datrax::pp.YMIN;
        datrax::TFACTS();
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
    ~SpectrumRun() {
        remove_files();
        std::filesystem::current_path(old_cwd);
        datrax::reset_plotlib();
        datrax::platform::set_window(nullptr);
    }
    static void remove_files() {
        std::filesystem::remove("datrax-bench.plt");
        std::filesystem::remove("datrax-bench.spc");
    }
    // Runs one call of the plot; returns the time of its last drawing.
    double run(const std::string& keys) {
        remove_files();
        window.add_script(keys);
        datrax::spectrum_plot();
        return std::chrono::duration<double>(window.last_drawing).count();
    }

    datrax::bench::TimingWindow window{"[Zoom/"};
    std::filesystem::path old_cwd;
};

SpectrumRun& spectrum_run() {
    static SpectrumRun r;
    return r;
}

void time_calls(benchmark::State& state, const std::string& keys) {
    SpectrumRun& r = spectrum_run();
    for (auto _ : state) state.SetIterationTime(r.run(keys));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kSamples);
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
