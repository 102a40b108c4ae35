#include "plots_fixture.h"

#include <unistd.h>

#include <atomic>
#include <sstream>

#include "app/main_program.h"
#include "data/units.h"
#include "platform/run_stop.h"
#include "plotlib/plotlib.h"
#include "plots/time_series.h"
#include "support/golden_file.h"

namespace datrax::testing {

PlotsTest::PlotsTest() {
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("datrax-plots-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    old_cwd_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    pp.XLEN = pp.XMAX - pp.XMIN;
    pp.YLEN = pp.YMAX - pp.YMIN;
    TFACTS();
    AXLABS();
    screen_setup();
    dset.TSCALE = 1.0f;
}

PlotsTest::~PlotsTest() {
    reset_plotlib();  // closes a plot file a failed test left open
    std::filesystem::current_path(old_cwd_);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void PlotsTest::load(INTEGER k, INTEGER n, const std::function<REAL(INTEGER)>& v, std::string_view name, REAL dt) {
    for (INTEGER i = 1; i <= n; ++i) Y(i, k) = v(i);
    dset.NPTS(k) = n;
    dset.DT(k) = dt;
    dset.FNAME(k) = name;
    dset.TITLE(k) = "Data set " + std::to_string(k);
    dset.LTITLE(k) = dset.TITLE(k).trimmed_length();
}

void PlotsTest::plot(std::string_view script) {
    keys(script);
    try {
        time_series_plot(dset.FNAME, mainv.new_data);
    } catch (const RunStop&) {
        ADD_FAILURE() << "the key script ran out inside the plot; bottom row: " << bottom_row();
    }
    EXPECT_EQ(screen_.window().keys_left(), 0u) << "keys left over after the plot returned";
}

std::string PlotsTest::bottom_row() const { return screen_.row(static_cast<int>(scr.MAXROW)); }

std::string PlotsTest::file_text(std::string_view name) const { return read_file_bytes(folder_ / name); }

std::vector<std::string> PlotsTest::file_lines(std::string_view name) const {
    std::vector<std::string> lines;
    std::istringstream in(file_text(name));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace datrax::testing
