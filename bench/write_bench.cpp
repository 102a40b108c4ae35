// Speed of writing a data file: 6,000,000 samples at one second (69 days,
// with a missing sample in every thousand) as a dated CSV, as an undated
// CSV and as a DATRA file. The time is the wall time of the whole write,
// from the first byte to the rename of the finished file, which includes
// flushing it to the disk.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

#include "data/write_data.h"

namespace {

using datrax::REAL;
using datrax::SeriesOut;

constexpr size_t kSamples = 6000000;

const std::vector<REAL>& samples() {
    static const std::vector<REAL> y = [] {
        std::vector<REAL> v(kSamples);
        uint32_t noise = 12345;
        for (size_t i = 0; i < kSamples; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const double hours = static_cast<double>(i) / 3600.0;
            v[i] = static_cast<REAL>(35.0 * std::cos(hours / 12.42 * 6.2831853) + 1015.0 + 0.001 * hours +
                                     2.0 * ((noise >> 8) / 16777216.0 - 0.5));
            if (i % 1000 == 999) v[i] = std::numeric_limits<REAL>::quiet_NaN();
        }
        return v;
    }();
    return y;
}

SeriesOut series(bool dated) {
    SeriesOut s;
    s.samples = samples();
    s.start = dated ? 1709251200.0 : std::numeric_limits<double>::quiet_NaN();
    s.interval_seconds = 1.0;
    s.dt = 1.0f;
    s.time_unit = "sec";
    s.unit = "microgal";
    s.title = "gravity";
    return s;
}

void write(benchmark::State& state, const char* name, bool dated) {
    const std::vector<SeriesOut> sets = {series(dated)};
    for (auto _ : state) {
        const datrax::WriteOutcome w = datrax::write_data_file(name, sets);
        if (!w.written) state.SkipWithError(w.reason.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(name));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
    std::filesystem::remove(name);
}

void BM_WriteCsvDated(benchmark::State& state) { write(state, "datrax-bench-write.csv", true); }
void BM_WriteCsvUndated(benchmark::State& state) { write(state, "datrax-bench-write.csv", false); }
void BM_WriteDatra(benchmark::State& state) { write(state, "datrax-bench-write.dat", true); }

BENCHMARK(BM_WriteCsvDated)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WriteCsvUndated)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_WriteDatra)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
