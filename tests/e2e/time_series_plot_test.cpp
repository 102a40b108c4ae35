// The data menu's D command end to end: data files read through the main
// menu, the time-series plot drawn on the screen (compared with golden
// pictures) and saved into plot files (compared with golden plot files and
// rendered by hp2xx).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
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

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

// A DATRA file of n samples v(i) at 0.1 hour, five to a line.
void write_datra(const std::string& name, const std::string& title, int n, const testing::SampleValue& v) {
    const testing::DatraLayout layout{title, "0.1", "(5f10.3)", "MICROGAL", "Hour", 5, "%10.3f"};
    testing::write_text_file(name, testing::datra_text(layout, n, v));
}

// A GGP file of n hourly readings from 26 August 2017.
void write_ggp(const std::string& name, int n) {
    testing::write_text_file(name, testing::ggp_text(
                                       "Filename : BF.GGP\nStation : BF\n77777777\n", "201708", 26, n,
                                       [](int i) { return 40.0 * std::sin(i * 0.26); },
                                       [](int i) { return 1005.0 + 4.0 * std::cos(i * 0.1); }, "99999999\n88888888\n"));
}

double tides(int i) { return 50.0 * std::sin(i * 0.03) + 20.0 * std::sin(i * 0.17) + 3.0 * std::sin(i * 1.7); }
double drift(int i) { return 0.05 * i + 8.0 * std::cos(i * 0.05); }

class TimeSeriesPlot : public ::testing::Test {
protected:
    TimeSeriesPlot() {
        write_datra("g97001.dat", "Gravity BF day 97001", 600, tides);
        write_datra("g97002.dat", "Drift BF day 97002", 400, drift);
        write_datra("g97003.dat", "Gravity BF short", 60, tides);
    }
    void expect_picture(const char* name) {
        EXPECT_EQ(s.bottom_row(), kBrowse);
        EXPECT_TRUE(testing::matches_golden_png(s.canvas(), name));
    }
    void expect_plot_file(const char* file, const char* golden) {
        const std::string bytes = testing::read_file_bytes(s.folder() / file);
        EXPECT_TRUE(testing::matches_golden(golden, bytes));
        EXPECT_TRUE(testing::renders_with_hp2xx(testing::test_output_path(golden)));
    }

    Session s;
};

TEST_F(TimeSeriesPlot, OneDataSet) {
    s.run(
        "dg97001.dat{enter}"
        "dnn{enter}");
    expect_picture("ts_one_set");
}

TEST_F(TimeSeriesPlot, TwoSetsOverlaidShareOneAxis) {
    s.run(
        "n2{enter}s1{enter}"
        "dg97001.dat{enter}g97002.dat{enter}"
        "dnn{enter}");
    expect_picture("ts_overlay");
}

TEST_F(TimeSeriesPlot, TwoSetsInSeparateAreas) {
    s.run(
        "n2{enter}"
        "dg97001.dat{enter}g97002.dat{enter}"
        "dnn{enter}");
    expect_picture("ts_separate");
}

TEST_F(TimeSeriesPlot, GgpPairNamesItsChannels) {
    write_ggp("bf170826.ggp", 72);
    s.run(
        "n2{enter}"
        "dbf170826.ggp{enter}"
        "dnn{enter}");
    expect_picture("ts_ggp_pair");
}

TEST_F(TimeSeriesPlot, FilteredCurve) {
    s.run(
        "dg97001.dat{enter}"
        "dnn25{enter}");
    expect_picture("ts_filtered");
}

TEST_F(TimeSeriesPlot, FeatherModeWithMarkers) {
    pp.LINF(1) = 2;
    pp.ISYM(1) = 4;
    pp.SIZE(1) = 0.08f;
    pp.ISCOL(1) = 14;
    s.run(
        "dg97003.dat{enter}"
        "dnn{enter}");
    expect_picture("ts_feather_markers");
}

TEST_F(TimeSeriesPlot, FixedLimitsAndForward) {
    s.run(
        "dg97001.dat{enter}"
        "dy10{enter}20{enter}"
        "y-80{enter}80{enter}{enter}"
        "f");
    expect_picture("ts_fixed_forward");
}

TEST_F(TimeSeriesPlot, SavedWithTheBanner) {
    s.run(
        "dg97003.dat{enter}"
        "dnn{enter}"
        "sy");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    expect_plot_file("g97003.plt", "ts_saved_banner.plt");
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "g97003.plt");
}

TEST_F(TimeSeriesPlot, SavedWithoutTheBanner) {
    pp.ZNAME = false;
    s.run(
        "dg97003.dat{enter}"
        "dnn{enter}"
        "snplain{enter}");
    expect_plot_file("plain.plt", "ts_saved_plain.plt");
}

TEST_F(TimeSeriesPlot, SavedWithMarks) {
    pp.ZNAME = false;
    std::string far_right;
    for (int i = 0; i < 200; ++i) far_right += "{right}";
    s.run(
        "dg97003.dat{enter}"
        "dnn{enter}"
        "m{left}{left}{left}{enter}y" +
        far_right +
        "{up}{enter}n"
        "sy");
    expect_plot_file("g97003.plt", "ts_saved_marks.plt");
    EXPECT_EQ(plotw.mark_count, 0);
}

// Column COLUMN (3 gravity, 4 pressure) of data line INDEX of a GGP file,
// as the bottom row and the mark table print it.
std::string ggp_value(const std::filesystem::path& file, int index, int column) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line) && line.compare(0, 8, "77777777") != 0) {
    }
    for (int i = 0; i < index; ++i) std::getline(in, line);
    std::istringstream fields(line);
    std::string field;
    for (int c = 0; c < column; ++c) fields >> field;
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(std::stof(field)));
    return text;
}

TEST_F(TimeSeriesPlot, ValuesAtMarksAndTheirTable) {
    const std::filesystem::path sample = std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp";
    std::filesystem::copy_file(sample, s.folder() / "bf240301.ggp");
    const std::string pressure = ggp_value(sample, 372, 4), gravity = ggp_value(sample, 372, 3);
    s.run(
        "dbf240301.ggp{enter}"
        "dnn{enter}"
        "m{enter}");  // the centre lies in the lower (pressure) area
    EXPECT_NE(s.bottom_row().find(" Index = 372   t = 371.0000 hour   y = " + pressure + " mbar Select a Time"),
              std::string::npos)
        << s.bottom_row();

    std::string up;
    for (int i = 0; i < 40; ++i) up += "{up}";
    s.run(
        "dy"
        "dnn{enter}"
        "m{enter}y" +
        up +
        "{enter}n"
        "snmarks.svg{enter}");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_TRUE(std::filesystem::exists(s.folder() / "marks.svg"));
    EXPECT_EQ(testing::read_file_bytes(s.folder() / "marks.mrk"),
              "# index time [hour] value unit calendar time (UTC)\n"
              "372 371.0000 " +
                  pressure +
                  " mbar 2024-03-16 11:00:00\n"
                  "372 371.0000 " +
                  gravity + " microgal 2024-03-16 11:00:00\n");
}

TEST_F(TimeSeriesPlot, QuitReturnsToTheDataMenu) {
    s.run(
        "dg97001.dat{enter}"
        "dnn{enter}"
        "q");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_EQ(gp.CMODE, gp.GMODE);
}

TEST_F(TimeSeriesPlot, TheNextPlotOfTheRunAsksTheChangeQuestions) {
    s.run(
        "dg97001.dat{enter}"
        "dnn{enter}"
        "qd");
    EXPECT_EQ(s.bottom_row(), "Change Time Limits [y/n] -->");
}

}  // namespace
}  // namespace datrax
