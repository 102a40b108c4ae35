// Speed of the pen moves: 6,000,000 draws of a noisy curve across the plot
// area (one sample per move, as the time-series plot draws a full data
// set), on the screen canvas in mode 3 and into an HP-GL plot file, one
// PENMOV at a time and in the runs of 4096 that curves are drawn in. A plot
// file in memory (/dev/shm) times the formatting without the disk.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "platform/headless_window.h"
#include "plotlib/device.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"

namespace {

using datrax::INTEGER;
using datrax::REAL;

constexpr int kMoves = 6000000;

struct Curve {
    std::vector<REAL> x, y;
};

const Curve& curve() {
    static const Curve c = [] {
        Curve k;
        k.x.resize(kMoves);
        k.y.resize(kMoves);
        uint32_t noise = 12345;
        for (int i = 0; i < kMoves; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double t = static_cast<double>(i) / kMoves;
            k.x[i] = static_cast<REAL>(1.5 + 8.0 * t);
            k.y[i] = static_cast<REAL>(3.75 + 2.0 * std::sin(t * 60.0) + 0.2 * ((noise >> 8) / 16777216.0 - 0.5));
        }
        return k;
    }();
    return c;
}

void draw_curve() {
    const Curve& c = curve();
    datrax::PENMOV(c.x[0], c.y[0], 3);
    for (int i = 1; i < kMoves; ++i) datrax::PENMOV(c.x[i], c.y[i], 2);
}

void draw_curve_in_runs() {
    constexpr size_t kRun = 4096;
    const Curve& c = curve();
    datrax::PENMOV(c.x[0], c.y[0], 3);
    for (size_t i = 1; i < c.x.size(); i += kRun) {
        datrax::pen_draw_run(&c.x[i], &c.y[i], std::min(kRun, c.x.size() - i), 2);
    }
}

void BM_PenmovScreenMode3(benchmark::State& state) {
    datrax::platform::HeadlessWindow window;
    datrax::platform::set_window(&window);
    datrax::reset_plotlib();
    datrax::PLTDEV(2, 11, 3, 0, ".");
    curve();
    for (auto _ : state) draw_curve();
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMoves);
    datrax::platform::set_window(nullptr);
}
BENCHMARK(BM_PenmovScreenMode3)->Unit(benchmark::kMillisecond);

void time_plot_file(benchmark::State& state, const char* name, void (*draw)()) {
    datrax::platform::HeadlessWindow window;
    datrax::platform::set_window(&window);
    datrax::reset_plotlib();
    datrax::PLTDEV(2, 11, 1, 0, ".");
    const auto old_cwd = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    curve();
    int64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(name);
        state.ResumeTiming();
        datrax::PLTDEV(1, 11, 0, 0, name);
        draw();
        datrax::PLTCLS();
        state.PauseTiming();
        bytes += static_cast<int64_t>(std::filesystem::file_size(name));
        state.ResumeTiming();
    }
    std::filesystem::remove(name);
    std::filesystem::current_path(old_cwd);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kMoves);
    state.SetBytesProcessed(bytes);
    datrax::platform::set_window(nullptr);
}

void BM_PenmovPlotFile(benchmark::State& state) { time_plot_file(state, "datrax-bench.plt", draw_curve); }
BENCHMARK(BM_PenmovPlotFile)->Unit(benchmark::kMillisecond);

void BM_PenRunPlotFile(benchmark::State& state) { time_plot_file(state, "datrax-bench.plt", draw_curve_in_runs); }
BENCHMARK(BM_PenRunPlotFile)->Unit(benchmark::kMillisecond);

constexpr const char* kMemoryFile = "/dev/shm/datrax-bench.plt";

void BM_PenmovMemoryFile(benchmark::State& state) { time_plot_file(state, kMemoryFile, draw_curve); }
BENCHMARK(BM_PenmovMemoryFile)->Unit(benchmark::kMillisecond);

void BM_PenRunMemoryFile(benchmark::State& state) { time_plot_file(state, kMemoryFile, draw_curve_in_runs); }
BENCHMARK(BM_PenRunMemoryFile)->Unit(benchmark::kMillisecond);

}  // namespace
