// Conversion speed of the fixed-column sample reader on a text in memory
// (no file, no page faults): 6,000,000 values in (5f12.6), on one thread and
// on two (two fields at once, and one at a time), and of the field
// conversion alone: the sixteen-byte way, the one-load way of a field inside
// a line, two fields at once, and the byte-by-byte way. Tides with noise, so that signs and the
// number of leading blanks change from field to field as in recorded data.
// Reports MB/s of text.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "records/field_conversion.h"
#include "records/field_pairs.h"
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
        std::mt19937 rng(7);
        std::uniform_real_distribution<double> noise(-1.0, 1.0);
        for (size_t i = 0; i < kValues; ++i) {
            const auto x = static_cast<double>(i);
            const double v = 50.0 * std::sin(x * 2.0e-5) + 20.0 * std::sin(x * 1.45e-4) + noise(rng);
            std::snprintf(cell, sizeof cell, "%12.6f", v);
            s += cell;
            if (i % 5 == 4) s += '\n';
        }
        return s;
    }();
    return t;
}

void read_samples(benchmark::State& state, bool two, bool pairs = true) {
    text();  // made before the clock runs
    set_two_reading_threads(two);
    set_field_pairs(pairs);
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
    set_field_pairs(true);
}

void BM_FixedSamplesOneThread(benchmark::State& s) { read_samples(s, false); }
void BM_FixedSamplesTwoThreads(benchmark::State& s) { read_samples(s, true); }
// The same without the conversion of two fields at once.
void BM_FixedSamplesTwoThreadsFieldByField(benchmark::State& s) { read_samples(s, true, false); }

// The 12-column fields of the text one after another, on one thread.
template <class Convert>
void convert_fields(benchmark::State& state, Convert convert) {
    const std::string& t = text();
    std::vector<REAL> out(kValues);
    for (auto _ : state) {
        size_t k = 0;
        for (size_t at = 0; k < kValues; at += 12) {
            if (t[at] == '\n') ++at;
            if (!convert(std::string_view(t).substr(at, 12), out[k++])) state.SkipWithError("failed");
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["fields"] =
        benchmark::Counter(static_cast<double>(kValues), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ConvertFieldsSixteenBytes(benchmark::State& s) {
    convert_fields(s, [](std::string_view f, REAL& v) { return convert_real(f, 6, v); });
}
// As the sample reader takes a field inside a line: one load, the point
// expected where the field before had it.
void BM_ConvertFieldsInLine(benchmark::State& s) {
    PointPlace point(6);
    convert_fields(s, [&point](std::string_view f, REAL& v) {
        return f.data() - text().data() >= 4 ? convert_plain_real_in_line(f.data(), 12, false, 6, point, v)
                                             : convert_real(f, 6, v);
    });
}
void BM_ConvertFieldsByteByByte(benchmark::State& s) {
    convert_fields(s, [](std::string_view f, REAL& v) { return round_real(scan_real(f, 6), f, 6, v); });
}

#if defined(DATRAX_FIELD_PAIRS)
// Two fields at a time (where the processor can), as the sample reader takes
// the lines of 61 bytes: fields 1-2, 3-4 and 4-5 of each.
DATRAX_WIDE void convert_lines_in_pairs(const std::string& t, const FieldPair (&pairs)[3], const PairPoints& points,
                                        REAL* out, bool& ok) {
    for (size_t line = 0; line < kValues / 5; ++line) {
        const char* text = t.data() + line * 61;
        for (const FieldPair& p : pairs) ok &= convert_field_pair(text, p, points, out + line * 5 + p.first);
    }
}

void BM_ConvertFieldPairs(benchmark::State& state) {
    if (!field_pairs()) {
        state.SkipWithError("the processor has no 256-bit vectors");
        return;
    }
    FieldPair pairs[3];
    for (size_t k = 0; k < 3; ++k) {
        const auto a = static_cast<int64_t>(std::min<size_t>(2 * k, 3));
        pairs[k].plan(12 * a, 12, 6, 12 * a + 12, 12, 6, 60);
        pairs[k].first = static_cast<size_t>(a);
    }
    PairPoints points;
    points.expect(pairs[0], PointPlace(6), PointPlace(6));
    const std::string& t = text();  // made before the clock runs
    std::vector<REAL> out(kValues);
    for (auto _ : state) {
        bool ok = true;
        convert_lines_in_pairs(t, pairs, points, out.data(), ok);
        if (!ok) state.SkipWithError("failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["fields"] =
        benchmark::Counter(static_cast<double>(kValues), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ConvertFieldPairs)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_FixedSamplesOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FixedSamplesTwoThreads)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FixedSamplesTwoThreadsFieldByField)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertFieldsSixteenBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFieldsInLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFieldsByteByByte)->Unit(benchmark::kMillisecond);

}  // namespace
