// Speed of the tidal fit on a full data set: 6,000,000 one-second samples
// (69 days) of gravity with the nine waves, a drift, a pressure effect and
// noise, fitted with a cubic drift and the pressure admittance, the
// residual and the fitted waves included. Wall time of fit_tides alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "data/tide_fit.h"

namespace {

using datrax::REAL;

constexpr size_t kSamples = 6000000;
constexpr double kStart = 1704067200.0;  // 2024-01-01 00:00 UTC

struct Series {
    std::vector<REAL> gravity, pressure;
    Series() : gravity(kSamples), pressure(kSamples) {
        uint32_t noise = 12345;
        for (size_t i = 0; i < kSamples; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double hours = static_cast<double>(i) / 3600.0;
            const double p =
                1013.0 + 8.0 * std::sin(hours / 131.0 * 6.2831853) + 3.0 * std::sin(hours / 47.0 * 6.2831853);
            pressure[i] = static_cast<REAL>(p);
            gravity[i] = static_cast<REAL>(
                35.0 * std::cos(hours / 12.4206 * 6.2831853) + 38.0 * std::cos(hours / 23.9345 * 6.2831853) +
                28.0 * std::cos(hours / 25.8193 * 6.2831853) + 16.0 * std::cos(hours / 12.0 * 6.2831853) +
                0.01 * hours - 0.3 * (p - 1013.0) + 2.0 * ((noise >> 8) / 16777216.0 - 0.5));
        }
    }
};

void BM_TideFitSixMillionSeconds(benchmark::State& state) {
    static const Series s;
    datrax::TideInput in;
    in.samples = s.gravity;
    in.pressure = s.pressure;
    in.start = kStart;
    in.interval = 1.0;
    in.drift_degree = 3;
    for (auto _ : state) {
        datrax::TideFit fit;
        const datrax::TideStatus status = datrax::fit_tides(in, fit);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(fit.residual.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kSamples));
}
BENCHMARK(BM_TideFitSixMillionSeconds)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
