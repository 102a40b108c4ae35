// The common part of the plot benchmarks: a plot driven by key scripts in a
// timing window, after a start-up in the system's temporary folder (where the
// plot files go), and the timing of one call of it per iteration.
#pragma once
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/main_program.h"
#include "app/state.h"
#include "bench/timing_window.h"
#include "data/units.h"
#include "plotlib/plotlib.h"

namespace datrax::bench {

class PlotBench {
public:
    // PROMPT: the prompt the plot asks after a drawing; PLOT: the plot's call.
    PlotBench(std::string prompt, void (*plot)()) : window(std::move(prompt)), plot_(plot) {
        reset_state();
        platform::set_window(&window);
        old_cwd_ = std::filesystem::current_path();
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        pp.XLEN = pp.XMAX - pp.XMIN;
        pp.YLEN = pp.YMAX - pp.YMIN;
        TFACTS();
    }
    ~PlotBench() {
        std::filesystem::current_path(old_cwd_);
        reset_plotlib();
        platform::set_window(nullptr);
    }
    PlotBench(const PlotBench&) = delete;
    PlotBench& operator=(const PlotBench&) = delete;

    // Runs one call of the plot; returns the time of its last drawing.
    double run(const std::string& keys) {
        window.add_script(keys);
        plot_();
        return std::chrono::duration<double>(window.last_drawing).count();
    }

    TimingWindow window;

private:
    void (*plot_)();
    std::filesystem::path old_cwd_;
};

// One call of the plot per iteration, after REMOVE_FILES clears what the
// call before left; SAMPLES per call counted as items.
inline void time_plot_calls(benchmark::State& state, PlotBench& r, const std::string& keys, int64_t samples,
                            void (*remove_files)()) {
    for (auto _ : state) {
        remove_files();
        state.SetIterationTime(r.run(keys));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * samples);
}

}  // namespace datrax::bench
