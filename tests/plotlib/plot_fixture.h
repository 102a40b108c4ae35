// A fresh library state with the text screen set up (mode 1) as the program
// starts, a headless window and a private working folder in which the tests
// write plot files under short names.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "support/scratch_dir.h"
#include "support/session.h"

namespace datrax::testing {

class PlotTest : public ::testing::Test {
protected:
    PlotTest();

    // Starts a plot into the file NAME on the plot-file device.
    void open_plot(std::string_view name, INTEGER page = 11);
    // Closes the plot file and returns the file's bytes.
    std::string close_plot(std::string_view name);
    std::string file_text(std::string_view name) const;
    // Lines of the file without their line ends.
    std::vector<std::string> file_lines(std::string_view name) const;
    // Compares the file with its golden file.
    void expect_golden_plot(std::string_view name);
    // Every plot file a test writes is rendered by hp2xx when the test ends,
    // except those a test marks (asterisk fields, which hp2xx cannot read).
    void skip_rendering(std::string_view name) { unreadable_.emplace_back(name); }
    void TearDown() override;

    Screen screen_;
    ScratchDir scratch_;  // the working folder of the test, removed afterwards
    std::filesystem::path folder_{scratch_.path()};
    std::vector<std::string> unreadable_;
};

}  // namespace datrax::testing
