// A time-series curve of 6,000,000 samples drawn as joined lines in world
// (inch) coordinates on a mode 3 canvas, as the plot of a full data set does.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/canvas.h"

namespace {

constexpr int kSamples = 6'000'000;

// A tidal-looking signal with noise, scaled into the plot frame of a
// 10 x 7.5 inch page.
void make_curve(std::vector<float>& xs, std::vector<float>& ys) {
    xs.resize(kSamples);
    ys.resize(kSamples);
    uint32_t noise = 12345;
    for (int i = 0; i < kSamples; ++i) {
        noise = noise * 1664525u + 1013904223u;
        const double t = static_cast<double>(i) / kSamples;
        const double v = std::sin(t * 2 * M_PI * 60) + 0.4 * std::sin(t * 2 * M_PI * 1100) +
                         0.1 * (static_cast<double>(noise >> 8) / (1 << 24) - 0.5);
        xs[i] = static_cast<float>(1.0 + 8.0 * t);
        ys[i] = static_cast<float>(3.75 + 2.2 * v / 1.5);
    }
}

void BM_TimeSeriesCurve(benchmark::State& state) {
    std::vector<float> xs, ys;
    make_curve(xs, ys);
    datrax::platform::Canvas canvas(1024, 768);
    canvas.set_viewport(0, 0, 1024, 768);
    canvas.set_world_window(0, 0, 10, 7.5);
    canvas.set_clip_rect(102, 76, 920, 690);
    canvas.set_color(14);
    for (auto _ : state) {
        canvas.move_to_world(xs[0], ys[0]);
        for (int i = 1; i < kSamples; ++i) canvas.line_to_world(xs[i], ys[i]);
        benchmark::DoNotOptimize(canvas.pixels().data());
    }
    state.SetItemsProcessed(state.iterations() * (kSamples - 1));
}
BENCHMARK(BM_TimeSeriesCurve)->Unit(benchmark::kMillisecond);

}  // namespace
