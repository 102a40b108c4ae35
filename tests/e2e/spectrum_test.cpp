// The data menu's A command end to end: the spectrum of the sample GGP
// month on the screen, saved into a plot file, its band table, a band limit
// changed in the profile, missing samples, and data in user time units.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "app/state.h"
#include "support/golden_file.h"
#include "support/golden_png.h"
#include "support/hp2xx_check.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

const std::string kPrompt = "[Zoom/Yscale/Save/Quit] ->";

void copy_sample_month() {
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", "bf240301.ggp");
}

struct BandRow {
    int row = 0;
    std::string id;
    double lower = 0, upper = 0, rms = 0, peak_frequency = 0, peak = 0;
};

// The band rows of a .spc table, read by their fixed columns.
std::vector<BandRow> band_rows(const std::string& table) {
    std::vector<BandRow> rows;
    std::istringstream in(table);
    std::string line;
    for (int record = 1; std::getline(in, line); ++record) {
        if (record <= 6) continue;
        BandRow r;
        r.row = std::stoi(line.substr(0, 5));
        r.id = line.substr(7, 3);
        r.lower = std::stod(line.substr(10, 11));
        r.upper = std::stod(line.substr(21, 11));
        r.rms = std::stod(line.substr(32, 15));
        r.peak_frequency = std::stod(line.substr(47, 11));
        r.peak = std::stod(line.substr(58, 15));
        rows.push_back(r);
    }
    return rows;
}

// The RMS of two lines of amplitudes a and b.
double rms_of(double a, double b) { return std::sqrt((a * a + b * b) / 2.0); }

TEST(Spectrum, SampleMonthOnTheScreenAndItsBandTable) {
    Session s;
    copy_sample_month();
    s.run(
        "dbf240301.ggp{enter}"
        "an{enter}");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    EXPECT_TRUE(testing::matches_golden_png(s.canvas(), "spectrum_screen"));
    s.run(
        "dy"
        "an{enter}q");  // the file kept; quit at once: the table is written
    const std::string table = testing::read_file_bytes("bf240301.spc");
    EXPECT_TRUE(testing::matches_golden("spectrum_table.spc", table));
    const std::vector<BandRow> rows = band_rows(table);
    ASSERT_EQ(rows.size(), 22u);
    // K1 (38 microgal) and O1 (28) make up row (D), M2 (35) and S2 (16) row (S).
    EXPECT_EQ(rows[2].id, "(D)");
    EXPECT_NEAR(rows[2].peak_frequency, 1 / 23.93, 0.0014);
    EXPECT_NEAR(rows[2].peak, 38.0, 0.4);
    EXPECT_NEAR(rows[2].rms, rms_of(38.0, 28.0), 0.05 * rms_of(38.0, 28.0));
    EXPECT_EQ(rows[4].id, "(S)");
    EXPECT_NEAR(rows[4].peak_frequency, 1 / 12.42, 0.0014);
    EXPECT_NEAR(rows[4].peak, 35.0, 0.4);
    EXPECT_NEAR(rows[4].rms, rms_of(35.0, 16.0), 0.05 * rms_of(35.0, 16.0));
    for (const int quiet : {1, 3, 5, 6, 7, 8}) EXPECT_LT(rows[static_cast<size_t>(quiet)].rms, 1.0) << quiet;
}

TEST(Spectrum, SavedPlotFileMatchesAndRenders) {
    Session s;
    copy_sample_month();
    s.run(
        "dbf240301.ggp{enter}"
        "an{enter}"
        "sy");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    ASSERT_TRUE(std::filesystem::exists("bf240301a.plt"));
    EXPECT_TRUE(testing::matches_golden("spectrum_saved.plt", testing::read_file_bytes("bf240301a.plt")));
    EXPECT_TRUE(testing::renders_with_hp2xx("bf240301a.plt"));
}

TEST(Spectrum, AChangedBandLimitInTheProfileMovesALineToAnotherRow) {
    Session s;
    copy_sample_month();
    s.run("q");  // writes a fresh profile
    std::string profile = testing::read_file_bytes(s.profile_path());
    // Row (D) ends below K1 at 0.0418 cph, the next row begins there.
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"    3(D)     0.033     0.047", "    3(D)     0.033     0.040"},
          {"    4        0.047     0.075", "    4        0.040     0.075"}}) {
        const size_t at = profile.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        profile.replace(at, from.size(), to);
    }
    std::ofstream(s.profile_path(), std::ios::binary) << profile;
    s.run(
        "dbf240301.ggp{enter}"
        "an{enter}q");
    const std::vector<BandRow> rows = band_rows(testing::read_file_bytes("bf240301.spc"));
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_NEAR(rows[2].peak_frequency, 1 / 25.82, 0.0014);  // O1 stays
    EXPECT_NEAR(rows[3].peak_frequency, 1 / 23.93, 0.0014);  // K1 moved
    EXPECT_NEAR(rows[3].peak, 38.0, 0.4);
}

// A DATRA file of n samples of a 35-unit line at 0.0805 cycles per time
// unit, every DT time units.
void write_datra(const std::string& name, int n, const char* unit) {
    std::ofstream out(name);
    char line[96];
    out << "Gravity at Black Forest\n";
    std::snprintf(line, sizeof line, "%10d%12s\n%-20s%-20s%s\n", n, "1.0", "(4f12.4)", "nm/s^2", unit);
    out << line;
    for (int i = 1; i <= n; ++i) {
        std::snprintf(line, sizeof line, "%12.4f", 35.0 * std::cos(2 * std::numbers::pi * 0.0805 * i) + 0.01 * i);
        out << line << (i % 4 == 0 || i == n ? "\n" : "");
    }
}

TEST(Spectrum, MissingSamplesAreFilledUpToOneTenthAndRefusedAbove) {
    Session s;
    write_datra("bf.dat", 2000, "hour");
    s.run("dbf.dat{enter}");
    constexpr REAL nan = std::numeric_limits<REAL>::quiet_NaN();
    for (int i = 101; i <= 300; ++i) Y(i, 1) = nan;  // exactly one tenth, in one gap
    s.run(
        "dy"
        "an{enter}");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    EXPECT_EQ(s.row(s.window().canvas().rows() - 2), "Missing samples filled : 200 of 2000");
    s.run(
        "dy"
        "an{enter}q");
    const std::vector<BandRow> rows = band_rows(testing::read_file_bytes("bf.spc"));
    EXPECT_NEAR(rows[4].peak, 35.0, 1.5);

    Y(301, 1) = nan;
    std::filesystem::remove("bf.spc");
    s.run(
        "dy"
        "an{enter}");
    EXPECT_EQ(s.bottom_row(), "Too many missing samples : 201 of 2000 -->");
    s.run(
        "dy"
        "an{enter}{enter}");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_FALSE(std::filesystem::exists("bf.spc"));
}

TEST(Spectrum, WindowZoomAndAmplitudeLimits) {
    Session s;
    write_datra("bf.dat", 2000, "hour");
    s.run(
        "dbf.dat{enter}"
        "ay100{enter}600{enter}{enter}");
    EXPECT_EQ(s.bottom_row(), kPrompt);
    s.run(
        "dy"
        "ay{enter}{enter}0.2{enter}"
        "z0.05{enter}0.1{enter}"
        "yy0{enter}50{enter}q");
    EXPECT_FLOAT_EQ(specw.FMAX, 0.2f);
    EXPECT_FLOAT_EQ(specw.FLO, 0.05f);
    EXPECT_FLOAT_EQ(specw.FHI, 0.1f);
    EXPECT_FLOAT_EQ(specw.AHI, 50.0f);
    const std::string table = testing::read_file_bytes("bf.spc");
    EXPECT_NE(table.find(" Samples   :       101       601       501         0\n"), std::string::npos);
    // A maximum above the Nyquist frequency is capped; zoom limits beyond it too.
    s.run(
        "dy"
        "an9{enter}"
        "z0.3{enter}0.9{enter}qy");
    EXPECT_FLOAT_EQ(specw.FHI, 0.5f);
    EXPECT_FLOAT_EQ(specw.FLO, 0.3f);
}

TEST(Spectrum, UserTimeUnitsGiveCyclesPerUnitWithoutBands) {
    Session s;
    write_datra("bf.dat", 1000, "step");
    s.run(
        "dbf.dat{enter}y"
        "an");
    EXPECT_EQ(s.bottom_row(), "Maximum Frequency (cycles/step), [default 0.5] -->");
    s.run(
        "dy"
        "an{enter}q");
    EXPECT_EQ(s.bottom_row(), "No band table: the time unit is not known -->");
    s.run(
        "dy"
        "an{enter}q{enter}");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_FALSE(std::filesystem::exists("bf.spc"));
}

}  // namespace
}  // namespace datrax
