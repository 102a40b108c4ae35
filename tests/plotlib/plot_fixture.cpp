#include "plot_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <sstream>

#include "plotlib/device.h"
#include "plotlib/plotlib.h"
#include "support/golden_file.h"
#include "support/hp2xx_check.h"

namespace datrax::testing {

PlotTest::PlotTest() {
    scratch_.enter();
    PLTDEV(2, 11, 1, 0, ".");  // the text screen of the run comes first, as in the program
}

void PlotTest::open_plot(std::string_view name, INTEGER page) { PLTDEV(1, page, 0, 0, name); }

std::string PlotTest::close_plot(std::string_view name) {
    PLTCLS();
    return file_text(name);
}

std::string PlotTest::file_text(std::string_view name) const { return read_file_bytes(folder_ / name); }

std::vector<std::string> PlotTest::file_lines(std::string_view name) const {
    std::vector<std::string> lines;
    std::istringstream in(file_text(name));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void PlotTest::expect_golden_plot(std::string_view name) { EXPECT_TRUE(matches_golden(name, file_text(name))); }

void PlotTest::TearDown() {
    reset_plotlib();  // drops a plot file the test left open
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || entry.path().extension() != ".plt") continue;
        if (std::find(unreadable_.begin(), unreadable_.end(), name) != unreadable_.end()) continue;
        if (file_text(entry.path().lexically_relative(folder_).string()).rfind(" PS", 0) != 0) continue;
        EXPECT_TRUE(renders_with_hp2xx(entry.path()));
    }
}

}  // namespace datrax::testing
