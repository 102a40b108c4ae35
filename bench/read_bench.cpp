// Reading speed of the data-file reader on large generated files: a DATRA
// file of 6,000,000 samples written with (5f12.6), a GGP file of 2,600,000
// data lines (also in daily blocks with an hour missing between them and
// flagged pressures, and with a line that cannot be read near its end) and a
// plain list of 6,000,000 pairs, DATRA and GGP also with the readers held to
// one thread. Reports MB/s of file, by wall time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/state.h"
#include "console/console.h"
#include "data/rdfile.h"
#include "platform/canvas.h"
#include "platform/headless_window.h"
#include "records/helper_thread.h"

namespace {

using namespace datrax;

// The generated files live in one temporary folder for the whole run.
class Inputs {
public:
    Inputs() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "datrax-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        dir_ = tmpl;
        make_datra();
        make_ggp("bench.ggp", -1);
        make_ggp("bad.ggp", 2590000);
        make_ggp_gaps();
        make_list();
    }
    ~Inputs() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }

private:
    // A gravity-like signal: two tides, drift and a little deterministic noise.
    static double signal(long i) {
        const double t = static_cast<double>(i) / 3600.0;
        return 50.0 * std::sin(2 * M_PI * t / 12.42) + 30.0 * std::sin(2 * M_PI * t / 23.93) + 1e-4 * i +
               0.01 * static_cast<double>((i * 7919) % 101 - 50);
    }

    FILE* open(const char* name) const {
        FILE* f = std::fopen(path(name).c_str(), "w");
        if (!f) std::abort();
        return f;
    }

    void make_datra() const {
        FILE* f = open("bench.dat");
        std::fprintf(f, "Benchmark gravity, 1 s\n%10d%12s\n%-20s%-20s%s\n", MAXPTS, "1.0", "(5f12.6)", "volt", "sec");
        for (long i = 0; i < MAXPTS; ++i) std::fprintf(f, "%12.6f%s", signal(i) / 100.0, i % 5 == 4 ? "\n" : "");
        std::fclose(f);
    }

    // "yyyymmdd hhmmss" of s seconds after 2017-01-01 00:00:00 UTC.
    static void write_stamp(FILE* f, long s) {
        const time_t t = 1483228800 + s;
        struct tm u;
        gmtime_r(&t, &u);
        std::fprintf(f, "%04d%02d%02d %02d%02d%02d", u.tm_year + 1900, u.tm_mon + 1, u.tm_mday, u.tm_hour, u.tm_min,
                     u.tm_sec);
    }

    // With a gravity that is no number on line bad_line (none where it is -1).
    void make_ggp(const char* name, long bad_line) const {
        FILE* f = open(name);
        std::fprintf(f, "Filename     : BENCH.GGP\nStation      : Nowhere\nyyyymmdd hhmmss gravity pressure\n");
        std::fprintf(f, "77777777       0.000     0.000\n");
        for (long i = 0; i < 2600000; ++i) {
            const long s = i * 60;
            write_stamp(f, s);
            if (i == bad_line) {
                std::fprintf(f, "%10s%10.4f\n", "12.3x", 1013.0);
                continue;
            }
            std::fprintf(f, "%10.4f%10.4f\n", signal(i), 1013.0 + signal(i) / 25.0);
        }
        std::fprintf(f, "99999999\n88888888\n");
        std::fclose(f);
    }

    // The same lines in blocks of a day with an hour missing between them and
    // a flagged pressure every 1000 lines.
    void make_ggp_gaps() const {
        FILE* f = open("gaps.ggp");
        std::fprintf(f, "Filename     : GAPS.GGP\nyyyymmdd hhmmss gravity(V) pressure(hPa)\n");
        std::fprintf(f, "77777777       0.000     0.000\n");
        for (long i = 0; i < 2600000; ++i) {
            const long s = i * 60;
            const long in_day = s % 86400;
            if (in_day >= 3600 && in_day < 7200) continue;
            if (in_day == 7200) std::fprintf(f, "99999999\nBlock header\n77777777\n");
            write_stamp(f, s);
            std::fprintf(f, "%10.4f%10.4f\n", signal(i), i % 1000 == 0 ? 9999.999 : 1013.0 + signal(i) / 25.0);
        }
        std::fprintf(f, "99999999\n88888888\n");
        std::fclose(f);
    }

    void make_list() const {
        FILE* f = open("bench.txt");
        for (long i = 0; i < MAXPTS; ++i) std::fprintf(f, "%ld %.6f\n", i + 1, signal(i));
        std::fclose(f);
    }

    std::filesystem::path dir_;
};

const Inputs& inputs() {
    static const Inputs in;
    return in;
}

// The lines of a read error stay off standard error.
class QuietWindow : public platform::HeadlessWindow {
public:
    void console_line(std::string_view) override {}
};

// Reads the file, expecting its format and status (1: refused after a key).
void read_file(benchmark::State& state, const char* name, INTEGER expected_form, INTEGER expected_status = 0) {
    QuietWindow window;
    platform::set_window(&window);
    const platform::ModeSize size = platform::mode_size(3);
    window.set_size(size.width, size.height);
    TXTSIZ(scr.MAXCOL, scr.MAXROW);
    const std::string path = inputs().path(name);
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    for (auto _ : state) {
        dset.FNAME(1) = path;
        if (expected_status != 0) window.add_script("{enter}");
        INTEGER status = 0;
        RDFILE(dset.FNAME, 1, status);
        if (status != expected_status || (status == 0 && dset.IFORM != expected_form))
            state.SkipWithError("file not read");
        benchmark::DoNotOptimize(Y.column(1)[0]);
    }
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["samples"] = static_cast<double>(dset.NPTS(1));
    platform::set_window(nullptr);
}

// The same file read with the readers held to one thread.
void read_on_one_thread(benchmark::State& state, const char* name, INTEGER expected_form) {
    set_two_reading_threads(false);
    read_file(state, name, expected_form);
    set_two_reading_threads(true);
}

void BM_ReadDatra(benchmark::State& s) { read_file(s, "bench.dat", FileFormat::Datra); }
void BM_ReadDatraOneThread(benchmark::State& s) { read_on_one_thread(s, "bench.dat", FileFormat::Datra); }
void BM_ReadGgp(benchmark::State& s) { read_file(s, "bench.ggp", FileFormat::Ggp); }
void BM_ReadGgpOneThread(benchmark::State& s) { read_on_one_thread(s, "bench.ggp", FileFormat::Ggp); }
// Refused at a line near the end: read once, as fast as the clean file.
void BM_ReadGgpBadLineNearEnd(benchmark::State& s) { read_file(s, "bad.ggp", FileFormat::Ggp, 1); }
void BM_ReadGgpGapsAndFlags(benchmark::State& s) { read_file(s, "gaps.ggp", FileFormat::Ggp); }
void BM_ReadPlainList(benchmark::State& s) { read_file(s, "bench.txt", FileFormat::List); }

// Wall time: the second thread's work counts.
BENCHMARK(BM_ReadDatra)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadDatraOneThread)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadGgp)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadGgpOneThread)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadGgpBadLineNearEnd)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadGgpGapsAndFlags)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadPlainList)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
