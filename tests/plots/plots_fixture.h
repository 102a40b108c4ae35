// A program state as after start-up (text screen in mode 3, time unit hours,
// scale 1), a headless window fed with key scripts, and a private working
// folder for the plot files the tests write.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "support/session.h"

namespace datrax::testing {

class PlotsTest : public ::testing::Test {
protected:
    PlotsTest();
    ~PlotsTest() override;

    // Data set K: N samples V(i) at interval DT, read from file NAME.
    void load(INTEGER k, INTEGER n, const std::function<REAL(INTEGER)>& v, std::string_view name, REAL dt = 1.0f);
    void keys(std::string_view script) { screen_.keys(script); }
    // Runs the time-series plot with the keys; fails the test when the keys
    // run out before the plot returns.
    void plot(std::string_view script);
    std::string bottom_row() const;
    std::string file_text(std::string_view name) const;
    std::vector<std::string> file_lines(std::string_view name) const;
    bool file_exists(std::string_view name) const { return std::filesystem::exists(folder_ / name); }

    Screen screen_{3};
    std::filesystem::path folder_;
    std::filesystem::path old_cwd_;
};

}  // namespace datrax::testing
