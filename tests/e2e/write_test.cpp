// The data menu's W command end to end: the sample GGP month written as CSV,
// GGP and DATRA, a day of it by dates and filtered, the overwrite question,
// and refusals on the bottom row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "app/state.h"
#include "data/rdfile.h"
#include "support/golden_file.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

void copy_sample_month() {
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp", "bf240301.ggp");
}

std::string line_of(const std::string& text, int n) {
    size_t from = 0;
    for (int i = 1; i < n; ++i) from = text.find('\n', from) + 1;
    return text.substr(from, text.find('\n', from) - from);
}

TEST(WriteCommand, TheMenuLineAndTheSampleMonthAsCsv) {
    Session s;
    copy_sample_month();
    s.run("dbf240301.ggp{enter}");
    EXPECT_EQ(s.row(5), "      W - WRITE     Data File");
    const INTEGER missing = dset.missing(1);
    s.run(
        "dy"
        "wn{enter}1{enter}");
    EXPECT_EQ(s.bottom_row(), "Written: 744 samples (" + std::to_string(missing) + " missing) to bf240301w.csv");
    const std::string csv = testing::read_file_bytes("bf240301w.csv");
    EXPECT_EQ(line_of(csv, 1), "time,bf240301.ggp [microgal]");
    EXPECT_EQ(line_of(csv, 2), "2024-03-01 00:00:00,47.0038");
    EXPECT_EQ(line_of(csv, 745), "2024-03-31 23:00:00,57.7237");
}

TEST(WriteCommand, BothSetsAsGgpAskBeforeOverwriting) {
    Session s;
    copy_sample_month();
    s.run(
        "dbf240301.ggp{enter}"
        "wn{enter}b"
        "copy.ggp{enter}");
    EXPECT_EQ(s.bottom_row(),
              "Written: 1488 samples (" + std::to_string(dset.missing(1) + dset.missing(2)) + " missing) to copy.ggp");
    const std::string first = testing::read_file_bytes("copy.ggp");
    // Again, to the same name: the overwrite question, answered yes.
    s.run(
        "dy"
        "wn{enter}b"
        "copy.ggp{enter}"
        "y");
    EXPECT_EQ(s.bottom_row(),
              "Written: 1488 samples (" + std::to_string(dset.missing(1) + dset.missing(2)) + " missing) to copy.ggp");
    EXPECT_EQ(testing::read_file_bytes("copy.ggp"), first);
    // The copy reads as the sample month.
    const std::vector<REAL> g(Y.column(1), Y.column(1) + 744);
    dset.FNAME(1) = "copy.ggp";
    INTEGER status = 0;
    RDFILE(dset.FNAME, 1, status);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(dset.NPTS(1), 744);
    for (int i = 0; i < 744; ++i) {
        if (!std::isnan(g[static_cast<size_t>(i)])) {
            ASSERT_EQ(Y(i + 1, 1), g[static_cast<size_t>(i)]) << i;
        }
    }
}

TEST(WriteCommand, ADayByDatesFilteredAsDatra) {
    Session s;
    copy_sample_month();
    // Dates and times on the axis (ITUP 5), then a day of the month.
    s.run(
        "dbf240301.ggp{enter}"
        "cu5{enter}r"
        "wy"
        "2024-03-02 00:00{enter}"
        "2024-03-02 23:00{enter}"
        "1{enter}"
        "1"
        "day.dat{enter}");
    EXPECT_EQ(s.bottom_row(), "Written: 24 samples (0 missing) to day.dat");
    const std::vector<REAL> day(Y.column(1) + 24, Y.column(1) + 48);
    s.run(
        "dy"
        "cu5{enter}r"
        "wy{enter}{enter}"
        "5{enter}"
        "1"
        "smooth.dat{enter}");
    EXPECT_EQ(s.bottom_row(), "Written: 24 samples (0 missing) to smooth.dat");
    const std::string dat = testing::read_file_bytes("smooth.dat");
    EXPECT_EQ(line_of(dat, 1), "bf240301.ggp");
    EXPECT_EQ(line_of(dat, 2), "        24         1.0");
    EXPECT_EQ(line_of(dat, 3), "(5e16.8)            microgal            hr");
    for (const char* name : {"day.dat", "smooth.dat"}) {
        dset.FNAME(1) = name;
        INTEGER status = 0;
        RDFILE(dset.FNAME, 1, status);
        ASSERT_EQ(status, 0);
        ASSERT_EQ(dset.NPTS(1), 24);
        const bool same = std::equal(day.begin(), day.end(), Y.column(1));
        EXPECT_EQ(same, std::string(name) == "day.dat") << name;  // the filter changed every value
    }
}

TEST(WriteCommand, RefusalsAreSaidOnTheBottomRow) {
    Session s;
    copy_sample_month();
    s.run(
        "dbf240301.ggp{enter}"
        "wn{enter}b"
        "both.dat{enter}");
    EXPECT_EQ(s.bottom_row(), "Not written: A DATRA file holds one data set -->");
    EXPECT_FALSE(std::filesystem::exists("both.dat"));
    s.run(
        "dy"
        "wn{enter}1"
        "nofolder/x.csv{enter}");
    EXPECT_TRUE(s.bottom_row().starts_with("Not written: ")) << s.bottom_row();
    // Time limits beyond the month (minutes 50000 to 60000; it has 44640).
    s.run(
        "dy"
        "wy50000{enter}60000{enter}{enter}1");
    EXPECT_EQ(s.bottom_row(), "Not written: no samples within the time limits -->");
    EXPECT_FALSE(std::filesystem::exists("empty.csv"));
}

}  // namespace
}  // namespace datrax
