// The histogram table file: number fields, layout, and the overwrite dialogue.
#include "plots/histogram_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/main_program.h"
#include "app/state.h"
#include "support/golden_file.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::matches_golden;
using testing::read_file_bytes;

TEST(HistogramTable, GeneralRealFields) {
    struct Row {
        double x;
        const char* text;
    } rows[] = {
        {12.3f, "  12.    "},     {0.5f, " 0.50    "},     {1234.5f, " 0.12E+04"},  {0.0f, "  0.0    "},
        {-12.3f, " -12.    "},    {1.25f, "  1.2    "},    {0.1f, " 0.10    "},     {0.05f, " 0.50E-01"},
        {-0.00123f, "-0.12E-02"}, {99.4f, "  99.    "},    {99.6f, " 0.10E+03"},    {1.0e20f, " 0.10E+21"},
        {-3.4e38f, "-0.34E+39"},  {1.0e-45f, " 0.14E-44"}, {INFINITY, "*********"}, {NAN, "*********"},
        {1.0e200, "*********"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(general_field_9_2(r.x), r.text) << r.x;
        EXPECT_EQ(general_field_9_2(r.x).size(), 9u);
    }
}

void fill_ramp(int k, int n, REAL first, REAL step) {
    for (int i = 1; i <= n; ++i) Y(i, k) = first + step * static_cast<REAL>(i - 1);
    dset.NPTS(k) = n;
}

TEST(HistogramTable, LayoutOfAKnownDataSet) {
    reset_state();
    fill_ramp(2, 100, -1.0f, 0.02f);  // -1.0 .. 0.98
    FileName name("/data/g24123.dat");
    EXPECT_TRUE(matches_golden("histogram_table.hst", histogram_table_text(name, 2, -1.0f, 0.98f)));
}

// Ends of single precision: the range is worked out where it cannot
// overflow, every sample is counted and every field keeps its width.
TEST(HistogramTable, RangeBeyondSinglePrecision) {
    reset_state();
    const REAL y[] = {3.4e38f, -3.4e38f, 0.0f, 1.0f};
    for (int i = 1; i <= 4; ++i) Y(i, 1) = y[i - 1];
    dset.NPTS(1) = 4;
    const std::string text = histogram_table_text(FileName("wide.dat"), 1, -3.4e38f, 3.4e38f);
    EXPECT_NE(text.find("    1     -0.34E+39 - -0.31E+39         1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   13     -0.14E+38 -  0.14E+38         2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   25      0.31E+39 -  0.34E+39         1\n"), std::string::npos) << text;
    size_t records = 0;
    for (size_t at = text.find("\n", text.find("# samples")) + 1; at < text.size(); at = text.find('\n', at) + 1) {
        EXPECT_EQ(text.find('\n', at) - at, 41u) << text.substr(at, 40);
        ++records;
    }
    EXPECT_EQ(records, 25u);
}

TEST(HistogramTable, EqualMinimumAndMaximumPutEverySampleIntoBinOne) {
    reset_state();
    for (int i = 1; i <= 7; ++i) Y(i, 1) = 3.0f;
    dset.NPTS(1) = 7;
    const std::string text = histogram_table_text(FileName("same.dat"), 1, 3.0f, 3.0f);
    EXPECT_NE(text.find("    1       3.0     -   3.0             7\n"), std::string::npos) << text;
    EXPECT_NE(text.find("   25       3.0     -   3.0             0\n"), std::string::npos);
}

TEST(HistogramTable, OverwriteAndNewNameDialogue) {
    testing::Session s;
    s.run("");
    fill_ramp(1, 10, 0.0f, 1.0f);
    dset.FNAME(1) = "g24123.dat";
    std::ofstream("g24123.hst") << "old";
    s.window().add_script("nnother.hst{enter}");
    histogram_table();
    EXPECT_EQ(read_file_bytes("g24123.hst"), "old");
    EXPECT_TRUE(std::filesystem::exists("nother.hst"));
    EXPECT_EQ(s.bottom_row(), "Filename for Histogram --> nother.hst");

    s.window().add_script("y");
    histogram_table();
    EXPECT_EQ(s.bottom_row(), "File {g24123.hst} Exists. Overwrite [y/n] --> y");
    const std::string written = read_file_bytes("g24123.hst");
    EXPECT_EQ(written.substr(0, 61), " DATA HISTOGRAM for g24123.dat                              \n");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 28);
}

TEST(HistogramTable, ATableThatCannotBeCreatedIsReported) {
    testing::Session s;
    s.run("");
    fill_ramp(1, 10, 0.0f, 1.0f);
    dset.FNAME(1) = "missing/folder/x.dat";
    s.window().add_script("{enter}");
    histogram_table();
    EXPECT_EQ(s.bottom_row(), "Cannot open missing/folder/x.hst");
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

}  // namespace
}  // namespace datrax
