// The data menu's T command end to end: the tidal analysis of the sample GGP
// month on the screen and in its .tid table, the residual plot and what it
// leaves behind, a short window that groups O1 with K1, and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/state.h"
#include "support/golden_file.h"
#include "support/hp2xx_check.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

const std::string kPrompt = "[Plot residual/Write/Quit] ->";

void copy_sample(const char* name) {
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / name, name);
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

struct WaveRow {
    std::string label;
    double frequency = 0, amplitude = 0, amplitude_error = 0, phase = 0, phase_error = 0;
};

// A wave row read by its fixed columns (1X,A12,F10.6,1P2E13.5,0P2F10.3,F9.5).
WaveRow wave_row(const std::string& line) {
    WaveRow r;
    r.label = line.substr(1, 12);
    r.label.erase(r.label.find_last_not_of(' ') + 1);
    r.frequency = std::stod(line.substr(13, 10));
    r.amplitude = std::stod(line.substr(23, 13));
    r.amplitude_error = std::stod(line.substr(36, 13));
    r.phase = std::stod(line.substr(49, 10));
    r.phase_error = std::stod(line.substr(59, 10));
    return r;
}

TEST(TideAnalysis, SampleMonthScreenTableAndResidualPlot) {
    Session s;
    copy_sample("bf240301.ggp");
    s.run(
        "dbf240301.ggp{enter}"
        "tn{enter}y");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    EXPECT_EQ(s.row(0), " TIDAL ANALYSIS - File 1 bf240301.ggp");
    const std::vector<REAL> before(Y.column(1), Y.column(1) + 744);
    // The screen shows the table's lines as written.
    const std::vector<std::string> table = lines_of(testing::read_file_bytes("bf240301.tid"));
    ASSERT_GE(table.size(), 20u);
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(s.row(static_cast<int>(i) + 2), table[i]) << i;
    EXPECT_EQ(table[3], " Samples     :       744 used         0 missing");
    EXPECT_EQ(table[4], " Parameters  :        17, degrees of freedom       727");
    EXPECT_EQ(table[18], " Grouped     : P1 with K1; K2 with S2 (closer than 1/window)");
    std::vector<WaveRow> rows;
    for (size_t i = 7; i < 14; ++i) rows.push_back(wave_row(table[i]));
    const char* labels[] = {"Q1", "O1", "K1+P1", "N2", "M2", "S2+K2", "M3"};
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].label, labels[i]);
    EXPECT_NEAR(rows[4].frequency, 0.080511, 1e-6);
    // M2 of the generator (35 microgal, a plain cosine) over its nodal factor in March 2024.
    EXPECT_NEAR(rows[4].amplitude, 35.0 / 0.96459, 0.35);
    EXPECT_NEAR(rows[4].amplitude_error, 0.17, 0.02);
    // Pressure admittance: the generator's gravity has none.
    EXPECT_NE(table[14].find(" Admittance  :"), std::string::npos);
    EXPECT_NE(table[14].find("microgal/mbar"), std::string::npos);

    // The residual browsed and saved, then every record as it was.
    s.run(
        "dy"
        "tn{enter}y"
        "y"
        "pnn{enter}");
    EXPECT_EQ(s.bottom_row(), "[Mark/Forward/Back/Zoom/Yscale/Save/Quit] ->");
    s.run(
        "dy"
        "tn{enter}y"
        "y"
        "pnn{enter}"
        "sy"
        "q"
        "q");
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    EXPECT_TRUE(std::filesystem::exists("bf240301r.plt"));
    EXPECT_TRUE(testing::renders_with_hp2xx("bf240301r.plt"));
    EXPECT_EQ(dset.NPTS(1), 744);
    EXPECT_EQ(sel.NDSETS, 2);
    EXPECT_EQ(dset.TITLE(1).trimmed(), "bf240301.ggp");
    EXPECT_EQ(std::vector<REAL>(Y.column(1), Y.column(1) + 744), before);
}

TEST(TideAnalysis, ShortWindowGroupsO1WithK1AndSaysSo) {
    Session s;
    copy_sample("bf240301.ggp");
    s.run(
        "dbf240301.ggp{enter}"
        "cu5{enter}r"
        "ty2024-03-01 00:00{enter}2024-03-11 00:00{enter}{enter}n");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    const std::string screen = s.screen();
    EXPECT_NE(screen.find(" K1+O1+P1+Q1 "), std::string::npos);
    EXPECT_NE(screen.find(" Grouped     : O1, P1, Q1 with K1; S2, N2, K2 with M2 (closer than 1/window)"),
              std::string::npos);
    EXPECT_NE(screen.find("2024-03-01 00:00:00 to 2024-03-11 00:00:00"), std::string::npos);
}

TEST(TideAnalysis, WritesResidualAndFittedTide) {
    Session s;
    copy_sample("bf240301.ggp");
    s.run(
        "dbf240301.ggp{enter}"
        "tn{enter}y"
        "w{enter}");
    EXPECT_EQ(s.bottom_row(), "Written: 1488 samples (0 missing) to bf240301r.csv");
    const std::vector<std::string> csv = lines_of(testing::read_file_bytes("bf240301r.csv"));
    ASSERT_EQ(csv.size(), 745u);
    EXPECT_EQ(csv[0], "time,Residual of bf240301.ggp [microgal],Fitted tide of bf240301.ggp [microgal]");
    // Observed = residual + fitted waves + drift (+ admittance): the first
    // sample's residual and tide add up to the data less the fitted rest.
    double residual = 0, tide = 0;
    ASSERT_EQ(std::sscanf(csv[1].c_str(), "2024-03-01 00:00:00,%lf,%lf", &residual, &tide), 2);
    EXPECT_LT(std::fabs(residual), 10.0);
    EXPECT_NEAR(residual + tide, Y(1, 1) - 12.43 + 15 * 0.80, 1.0);
}

TEST(TideAnalysis, RefusedWithoutAStartTime) {
    Session s;
    copy_sample("pl240301.txt");
    s.run(
        "dpl240301.txt{enter}y"
        "t");
    EXPECT_EQ(s.bottom_row(), "No tidal analysis: the start time of the data is not known -->");
}

TEST(TideAnalysis, AsksBeforeOverwritingItsTable) {
    Session s;
    copy_sample("bf240301.ggp");
    s.run(
        "dbf240301.ggp{enter}"
        "tn{enter}y"
        "q"
        "tn{enter}y");
    EXPECT_EQ(s.bottom_row(), "File {bf240301.tid} Exists. Overwrite [y/n] -->");
}

}  // namespace
}  // namespace datrax
