// A program state as after start-up (text screen in mode 3, time unit hours,
// scale 1), a headless window fed with key scripts, and a private working
// folder for the plot files the tests write.
#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "platform/headless_window.h"
#include "support/scratch_dir.h"

namespace datrax::testing {

// A headless window that notes the bottom text row each time a prompt reads
// a key, so tests can see exactly which questions were asked.
// Mouse events queued by a test come before the scripted keys.
class PromptLog : public platform::HeadlessWindow {
public:
    int read_key() override;
    platform::CursorEvent read_cursor_event() override;
    std::vector<std::string> prompts;  // the bottom row at each fresh prompt
    std::deque<platform::CursorEvent> mouse;
};

class PlotsTest : public ::testing::Test {
protected:
    PlotsTest();
    ~PlotsTest() override;

    // Data set K: N samples V(i) at interval DT, read from file NAME.
    void load(INTEGER k, INTEGER n, const std::function<REAL(INTEGER)>& v, std::string_view name, REAL dt = 1.0f);
    void keys(std::string_view script) { window_.add_script(script); }
    // Runs the time-series plot with the keys; fails the test when the keys
    // run out before the plot returns.
    void plot(std::string_view script);
    std::string bottom_row() const;
    std::string file_text(std::string_view name) const;
    std::vector<std::string> file_lines(std::string_view name) const;
    bool file_exists(std::string_view name) const { return std::filesystem::exists(folder_ / name); }

    // Canvas columns holding a pixel of the colour: first and last (-1 when none).
    int first_column(int colour) const;
    int last_column(int colour) const;
    int count_pixels(int colour) const;
    // The canvas column of page x and the canvas row of page y.
    static int column_of(REAL x);
    static int row_of(REAL y);

    // The prompts asked since the last call, then forgotten.
    std::vector<std::string> prompts();

    PromptLog window_;
    ScratchDir scratch_;  // the working folder of the test, removed afterwards
    std::filesystem::path folder_{scratch_.path()};
};

}  // namespace datrax::testing
