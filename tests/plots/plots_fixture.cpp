#include "plots_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <sstream>

#include "app/main_program.h"
#include "data/units.h"
#include "platform/run_stop.h"
#include "plotlib/device.h"
#include "plotlib/plotlib.h"
#include "plots/time_series.h"
#include "support/golden_file.h"

namespace datrax::testing {

int PromptLog::read_key() {
    // A row ending in an arrow is a fresh prompt; while an answer is typed
    // the row ends in the answer.
    const std::string row = canvas().row_text(canvas().rows() - 1);
    if (row.ends_with("->")) prompts.push_back(row);
    return HeadlessWindow::read_key();
}

platform::CursorEvent PromptLog::read_cursor_event() {
    if (mouse.empty()) return HeadlessWindow::read_cursor_event();
    const platform::CursorEvent e = mouse.front();
    mouse.pop_front();
    return e;
}

PlotsTest::PlotsTest() {
    reset_state();
    platform::set_window(&window_);
    scratch_.enter();
    pp.XLEN = pp.XMAX - pp.XMIN;
    pp.YLEN = pp.YMAX - pp.YMIN;
    TFACTS();
    AXLABS();
    screen_setup();
    dset.TSCALE = 1.0f;
}

PlotsTest::~PlotsTest() {
    reset_plotlib();  // closes a plot file a failed test left open
    platform::set_window(nullptr);
}

int PlotsTest::first_column(int colour) const {
    const platform::Canvas& c = window_.canvas();
    for (int x = 0; x < c.width(); ++x)
        for (int y = 0; y < c.height(); ++y)
            if (c.pixel(x, y) == colour) return x;
    return -1;
}

int PlotsTest::last_column(int colour) const {
    const platform::Canvas& c = window_.canvas();
    for (int x = c.width() - 1; x >= 0; --x)
        for (int y = 0; y < c.height(); ++y)
            if (c.pixel(x, y) == colour) return x;
    return -1;
}

int PlotsTest::count_pixels(int colour) const {
    const auto& px = window_.canvas().pixels();
    return static_cast<int>(std::count(px.begin(), px.end(), colour));
}

int PlotsTest::column_of(REAL x) {
    REAL y = 0.0f;
    INTEGER ix = 0, iy = 0;
    INCPIX(x, y, ix, iy, 0);
    return ix;
}

int PlotsTest::row_of(REAL y) {
    REAL x = 0.0f;
    INTEGER ix = 0, iy = 0;
    INCPIX(x, y, ix, iy, 0);
    return iy;
}

std::vector<std::string> PlotsTest::prompts() {
    std::vector<std::string> p;
    p.swap(window_.prompts);
    return p;
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
        time_series_plot();
    } catch (const RunStop&) {
        ADD_FAILURE() << "the key script ran out inside the plot; bottom row: " << bottom_row();
    }
    EXPECT_EQ(window_.keys_left(), 0u) << "keys left over after the plot returned";
}

std::string PlotsTest::bottom_row() const { return window_.canvas().row_text(window_.canvas().rows() - 1); }

std::string PlotsTest::file_text(std::string_view name) const { return read_file_bytes(folder_ / name); }

std::vector<std::string> PlotsTest::file_lines(std::string_view name) const {
    std::vector<std::string> lines;
    std::istringstream in(file_text(name));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace datrax::testing
