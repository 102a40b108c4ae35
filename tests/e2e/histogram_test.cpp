// The data menu's H command end to end: the histogram on the screen, saved
// into a plot file, and its table file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/state.h"
#include "support/golden_file.h"
#include "support/golden_png.h"
#include "support/hp2xx_check.h"
#include "support/sample_files.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

// A DATRA file of n samples v(i) at one minute.
void write_datra(const std::string& name, int n, const testing::SampleValue& v) {
    const testing::DatraLayout layout{"Gravity at Black Forest", "1.0", "(4f12.4)", "nm/s^2", "min", 4, "%12.4f"};
    testing::write_text_file(name, testing::datra_text(layout, n, v));
}

REAL wave(int i) { return static_cast<REAL>(30.0 * std::sin(i * 0.05) + 10.0 * std::sin(i * 0.31) + 5.0); }

TEST(Histogram, ScreenPictureStatisticsAndTable) {
    Session s;
    write_datra("bf.dat", 2000, wave);
    s.run(
        "dbf.dat{enter}"
        "hn");
    EXPECT_EQ(s.bottom_row(), "Save Plot [y/n] -->");
    EXPECT_TRUE(testing::matches_golden_png(s.canvas(), "histogram_screen"));
    s.run(
        "dy"
        "hnny");  // the file kept; no save, quit: the table is written
    const std::string table = testing::read_file_bytes("bf.hst");
    EXPECT_EQ(table.substr(0, 21), " DATA HISTOGRAM for b");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 28);
}

TEST(Histogram, SavedPlotFileMatchesAndRenders) {
    Session s;
    write_datra("bf.dat", 2000, wave);
    s.run(
        "dbf.dat{enter}"
        "hn"
        "yy"
        "y");
    ASSERT_TRUE(std::filesystem::exists("bfh.plt"));
    const std::string plot = testing::read_file_bytes("bfh.plt");
    EXPECT_TRUE(testing::matches_golden("histogram_saved.plt", plot));
    EXPECT_TRUE(testing::renders_with_hp2xx("bfh.plt"));
}

TEST(Histogram, RepeatedValueNeedsFixedLimits) {
    Session s;
    write_datra("flat.dat", 50, [](int) { return 7.5f; });
    s.run(
        "dflat.dat{enter}"
        "hn");
    EXPECT_EQ(s.bottom_row(), "Data Range too small : 0.0000 Press [Enter] -->");
    s.run(
        "dy"
        "hn{enter}n{enter}"
        "y7{enter}8{enter}");
    EXPECT_EQ(s.bottom_row(), "Save Plot [y/n] -->");
    EXPECT_FLOAT_EQ(histw.lower, 7.0f);
    EXPECT_EQ(menus.histogram_counts[50], 50);  // 7.5 is the middle of 7..8: bar NINT(49.5) + 1
}

TEST(Histogram, FixedLimitsBeyondTheDataDrawAnEmptyFrame) {
    Session s;
    write_datra("bf.dat", 2000, wave);
    s.run(
        "dbf.dat{enter}"
        "hy100{enter}200{enter}");
    EXPECT_EQ(s.bottom_row(), "Save Plot [y/n] -->");
    for (int b = 0; b < 100; ++b) EXPECT_EQ(menus.histogram_counts[static_cast<size_t>(b)], 0);
}

TEST(Histogram, WithoutTitlesOnlyAxesFrameAndBarsAreDrawn) {
    Session s;
    write_datra("bf.dat", 2000, wave);
    pp.ZTITL = false;
    s.run(
        "dbf.dat{enter}"
        "hn");
    // Nothing above the frame (YMAX = 6.5 inches) but the axis title area.
    const auto& c = s.canvas();
    const int frame_top = static_cast<int>((7.5f - 6.6f) * (c.height() - 1) / 7.5f);
    int lit = 0;
    for (int y = 0; y < frame_top; ++y)
        for (int x = 0; x < c.width(); ++x) lit += c.pixel(x, y) != 0;
    EXPECT_EQ(lit, 0);
}

// After a time-series plot the histogram has no limits of its own yet: it
// asks as on a first call and draws.
TEST(Histogram, AfterATimeSeriesPlotTheFirstHistogramAsksForLimits) {
    Session s;
    write_datra("bf.dat", 2000, wave);
    s.run(
        "dbf.dat{enter}"
        "dnn{enter}q"
        "h");
    EXPECT_EQ(s.bottom_row(), "Fixed Data Limits [y/n] -->");
    s.run(
        "dy"
        "dnn{enter}q"
        "hn");
    EXPECT_EQ(s.bottom_row(), "Save Plot [y/n] -->");
    s.run(
        "dy"
        "dnn{enter}q"
        "hnnn");  // its own limits now: it asks to change them
    EXPECT_EQ(s.bottom_row(), "Change Data Limits [y/n] -->");
}

// The pressure set of a GGP pair: its own unit on the data axis and the
// station's title.
TEST(Histogram, SecondDataSetShowsItsOwnUnitAndATitle) {
    Session s;
    testing::write_text_file("st240301.ggp",
                             testing::ggp_text(
                                 "Filename : ST240301.GGP\nStation : ST\n77777777\n", "202403", 1, 48,
                                 [](int i) { return 40.0 * std::sin(i * 0.3); },
                                 [](int i) { return 1005.0 + 4.0 * std::cos(i * 0.1); }, "99999999\n88888888\n"));
    s.run(
        "dst240301.ggp{enter}"
        "f"
        "hn"
        "yy"
        "y");
    const std::string plot = testing::read_file_bytes("st240301h.plt");
    EXPECT_NE(plot.find(" LBmbar\x03;"), std::string::npos);
    EXPECT_EQ(plot.find(" LBmicrogal\x03;"), std::string::npos);
    ASSERT_GT(dset.LTITLE(1), 0);
    const std::string title = " LB" + std::string(dset.TITLE(1).view().substr(0, static_cast<size_t>(dset.LTITLE(1))));
    EXPECT_NE(plot.find(title), std::string::npos) << title;
}

TEST(Histogram, ARangeBeyondSinglePrecisionIsReported) {
    Session s;
    testing::DatraLayout wide{"Wide", "1.0", "(2e16.7)", "nm/s^2", "min", 2, "%16.7E"};
    testing::write_text_file("wide.dat",
                             testing::datra_text(wide, 4, [](int i) { return i % 2 == 0 ? 3.4e38 : -3.4e38; }));
    s.run(
        "dwide.dat{enter}"
        "hn");
    EXPECT_EQ(s.bottom_row(), "Data Range too large to draw Press [Enter] -->");
}

TEST(Histogram, NoSamplesGiveAMessageAndNoTable) {
    Session s;
    write_datra("one.dat", 1, wave);
    s.run("done.dat{enter}");
    dset.NPTS(1) = 0;
    s.run(
        "dy"
        "h");
    EXPECT_EQ(s.bottom_row(), "No samples in this data set -->");
    s.run(
        "dy"
        "h{enter}");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_FALSE(std::filesystem::exists("one.hst"));
}

}  // namespace
}  // namespace datrax
