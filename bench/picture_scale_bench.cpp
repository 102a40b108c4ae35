// The filtered picture of a mode 3 canvas (1024 x 768) at the window sizes a
// laptop (800 x 600), a full HD screen (1440 x 1080) and a tiny window give
// it; the window makes one each time the canvas or its size changes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/picture_scale.h"

namespace {

void BM_AreaAverage(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = w * 3 / 4;
    datrax::platform::Canvas canvas(1024, 768);
    canvas.set_viewport(0, 0, 1023, 767);
    for (int i = 0; i < 400; ++i) {
        canvas.set_color(i % 16);
        canvas.move_to(0, i);
        canvas.line_to(1023, 767 - i);
    }
    std::vector<uint32_t> out(static_cast<size_t>(w) * h);
    for (auto _ : state) {
        datrax::platform::area_average(canvas, w, h, out.data(), w);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_AreaAverage)->Arg(800)->Arg(1440)->Arg(300)->Unit(benchmark::kMillisecond);

}  // namespace
