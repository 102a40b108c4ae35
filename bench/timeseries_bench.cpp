// Speed of the time-series plot on a full data set of 6,000,000 samples:
// one drawing on the screen canvas in mode 3 (axes, grid, one curve), the
// same with a 101-point filter, and a save of the plot into an HP-GL file.
// The plot runs as the user drives it; the time measured is the processor
// time of the drawing alone, between the last answer before it and the next
// prompt (processor time, so that other work on a shared machine does not
// count).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/plot_bench.h"
#include "plots/time_series.h"

namespace {

using datrax::INTEGER;
using datrax::REAL;

constexpr INTEGER kSamples = 6000000;

void remove_files() { std::filesystem::remove("datrax-bench.plt"); }

// A run after start-up with a noisy, slowly varying record in data set 1 and
// one plot already drawn, so that later calls ask only the change questions.
class PlotRun : public datrax::bench::PlotBench {
public:
    PlotRun() : PlotBench("[Mark/", datrax::time_series_plot) {
        datrax::AXLABS();
        datrax::screen_setup();
        uint32_t noise = 12345;
        for (INTEGER i = 1; i <= kSamples; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(i) / kSamples;
            datrax::Y(i, 1) = static_cast<REAL>(100.0 * std::sin(t * 60.0) + 10.0 * ((noise >> 8) / 16777216.0 - 0.5));
        }
        datrax::dset.NPTS(1) = kSamples;
        datrax::dset.FNAME(1) = "G97001.DAT";
        datrax::dset.TSCALE = 1.0f;
        datrax::gp.PLTNAM(1) = "datrax-bench.plt";
        datrax::gp.NPLT(1) = 16;
        run("nn{enter}q");
    }
    ~PlotRun() { remove_files(); }
};

void time_calls(benchmark::State& state, const std::string& keys) {
    static PlotRun r;
    datrax::bench::time_plot_calls(state, r, keys, kSamples, remove_files);
}

void BM_ScreenMode3(benchmark::State& state) { time_calls(state, "nn{enter}q"); }
BENCHMARK(BM_ScreenMode3)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ScreenMode3Filter101(benchmark::State& state) { time_calls(state, "nn101{enter}q"); }
BENCHMARK(BM_ScreenMode3Filter101)->UseManualTime()->Unit(benchmark::kMillisecond);

// The save follows a screen drawing; only the save is timed.
void BM_SaveToPlotFile(benchmark::State& state) { time_calls(state, "nn{enter}syq"); }
BENCHMARK(BM_SaveToPlotFile)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
