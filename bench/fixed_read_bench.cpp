// Conversion speed of the fixed-column sample reader on a text in memory
// (no file, no page faults): 6,000,000 values in (5f12.6), on one thread and
// on two. Reports MB/s of text.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "records/fixed_read.h"
#include "records/helper_thread.h"

namespace {

using namespace datrax;

constexpr size_t kValues = 6000000;

const std::string& text() {
    static const std::string t = [] {
        std::string s;
        s.reserve(kValues / 5 * 61);
        char cell[32];
        for (size_t i = 0; i < kValues; ++i) {
            const double v = 70.0 * std::sin(static_cast<double>(i) / 5000.0) + 0.01 * static_cast<double>(i % 97);
            std::snprintf(cell, sizeof cell, "%12.6f", v);
            s += cell;
            if (i % 5 == 4) s += '\n';
        }
        return s;
    }();
    return t;
}

void read_samples(benchmark::State& state, bool two) {
    text();  // made before the clock runs
    set_two_reading_threads(two);
    const FormatList fmt("(5f12.6)");
    std::vector<REAL> out(kValues);
    for (auto _ : state) {
        TextLines in(text());
        size_t stored = 0;
        if (read_fixed_samples(in, fmt, out.data(), kValues, stored) != ReadOutcome::Done)
            state.SkipWithError("failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(text().size()) * state.iterations());
    set_two_reading_threads(true);
}

void BM_FixedSamplesOneThread(benchmark::State& s) { read_samples(s, false); }
void BM_FixedSamplesTwoThreads(benchmark::State& s) { read_samples(s, true); }

BENCHMARK(BM_FixedSamplesOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FixedSamplesTwoThreads)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
