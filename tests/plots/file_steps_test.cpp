// Previous and Next in the browse loop: stepping through a dated series of
// data files and redrawing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/ggp_pair.h"
#include "data/rdfile.h"
#include "plots_fixture.h"
#include "support/sample_files.h"

namespace datrax::testing {
namespace {

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

class FileSteps : public PlotsTest {
protected:
    void write(const std::string& name, const std::string& text) { std::ofstream(folder_ / name) << text; }
    // A plain list of n pairs (i, base + i).
    void write_list(const std::string& name, int n, int base) {
        std::string text;
        for (int i = 1; i <= n; ++i) {
            text += std::to_string(i);
            text += ' ';
            text += std::to_string(base + i);
            text += '\n';
        }
        write(name, text);
    }
    // A GGP file of n hourly lines from the first of a month, gravity base + i, pressure 1000 - i.
    void write_ggp(const std::string& name, const std::string& year_month, int n, int base) {
        write(name, testing::ggp_text(
                        "station\nheader\n77777777\n", year_month, 1, n, [base](int i) { return base + i; },
                        [](int i) { return 1000.0 - i; }, ""));
    }
    void read(INTEGER k, const std::string& name) {
        dset.FNAME(k) = name;
        INTEGER status = 0;
        RDFILE(dset.FNAME, k, status);
        ASSERT_EQ(status, 0) << name;
        dset.TSCALE = 1.0f;
    }
};

TEST_F(FileSteps, NextStepsOverAGapAndRedrawsTheWholeNewRecord) {
    write_list("xx240101.txt", 5, 0);
    write_list("xx240301.txt", 8, 100);
    read(1, "xx240101.txt");
    EXPECT_EQ(window_.title(), "xx240101.txt - DATRAX 1.1");
    plot(
        "nn{enter}"
        "n"
        "{enter}"
        "q");
    EXPECT_EQ(dset.FNAME(1), "xx240301.txt");
    EXPECT_EQ(window_.title(), "xx240301.txt - DATRAX 1.1") << "the title names the file read, not the gap passed";
    EXPECT_EQ(dset.NPTS(1), 8);
    EXPECT_EQ(plotw.I2, 8);
    EXPECT_EQ(plotw.YLO1, 101.0f);
    EXPECT_EQ(plotw.YHI1, 108.0f);
    const std::vector<std::string> p = prompts();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(p.begin() + 3, p.end()), std::vector<std::string>(3, kBrowse))
        << "a failed step only asks again, a good one draws without questions";
}

TEST_F(FileSteps, PreviousClearsFixedTimeLimits) {
    write_list("xx240101.txt", 5, 0);
    write_list("xx240201.txt", 9, 0);
    read(1, "xx240201.txt");
    plot(
        "y1{enter}3{enter}"
        "n{enter}"
        "p"
        "q");
    EXPECT_EQ(dset.FNAME(1), "xx240101.txt");
    EXPECT_FALSE(plotw.fixed_time);
    EXPECT_EQ(plotw.I1, 1);
    EXPECT_EQ(plotw.I2, 5);
}

TEST_F(FileSteps, TwoDataSetsStepTogetherAndOnlyTheSecondStepCounts) {
    write_list("aa240101.txt", 5, 0);
    write_list("aa240201.txt", 6, 0);
    write_list("bb240101.txt", 7, 50);
    read(1, "aa240101.txt");
    read(2, "bb240101.txt");
    sel.NDSETS = 2;
    sel.STYLE = 2;
    plot(
        "nn{enter}"
        "n"
        "q");
    EXPECT_EQ(dset.FNAME(1), "aa240201.txt");
    EXPECT_EQ(dset.NPTS(1), 6) << "data set 1 stays stepped";
    EXPECT_EQ(dset.FNAME(2), "bb240101.txt") << "a missing file leaves the slot as it was";
    EXPECT_EQ(window_.title(), "aa240201.txt - DATRAX 1.1") << "the last file read";
    EXPECT_EQ(plotw.I2, 7) << "nothing was drawn after the failed second step";
}

TEST_F(FileSteps, AGgpPairStepsWithOneRead) {
    write_ggp("bf170801.ggp", "201708", 12, 10);
    write_ggp("bf170901.ggp", "201709", 24, 20);
    read(1, "bf170801.ggp");
    enter_ggp_pair();
    ASSERT_EQ(sel.NDSETS, 2);
    plot(
        "nn{enter}"
        "n"
        "q");
    EXPECT_EQ(dset.FNAME(1), "bf170901.ggp");
    EXPECT_EQ(dset.FNAME(2), "bf170901.ggp");
    EXPECT_EQ(dset.NPTS(2), 24);
    EXPECT_EQ(plotw.I2, 24);
    EXPECT_EQ(plotw.YLO2, 977.0f);
}

}  // namespace
}  // namespace datrax::testing
