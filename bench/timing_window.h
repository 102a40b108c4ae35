// A headless window for the plot benchmarks that notes the processor time
// the program worked before it asked a given prompt (processor time, so
// that other work on a shared machine does not count).
#pragma once
#include <time.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/headless_window.h"

namespace datrax::bench {

// Processor time of this thread.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return time_point(duration(int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec));
    }
};

// last_drawing: the time from the last answer to the last time the bottom
// row began with the prompt.
class TimingWindow : public platform::HeadlessWindow {
public:
    explicit TimingWindow(std::string prompt) : prompt_(std::move(prompt)) {}
    int read_key() override {
        const Clock::time_point asked = Clock::now();
        const std::string row = canvas().row_text(canvas().rows() - 1);
        if (row.starts_with(prompt_)) last_drawing = asked - answered;
        const int key = HeadlessWindow::read_key();
        answered = Clock::now();
        return key;
    }
    Clock::time_point answered = Clock::now();
    Clock::duration last_drawing{};

private:
    std::string prompt_;
};

}  // namespace datrax::bench
