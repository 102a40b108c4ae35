// The main menu driven through the headless window with key scripts.
#include <gtest/gtest.h>

#include "app/state.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

TEST(MainMenu, FirstHeaderThenLaterHeader) {
    Session s;
    EXPECT_EQ(s.run(""), 0);  // stops when the script is used up
    EXPECT_EQ(s.row(0), " MAIN MENU - Max array size: 6000000 Max # data sets: 2");
    EXPECT_EQ(s.row(3), "      D - DATA      Read Data File");
    EXPECT_EQ(s.row(14), "      DATA      : Input a data file      --> Data Menu");
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    EXPECT_EQ(s.window().title(), "DATRAX 1.1");
    EXPECT_EQ(s.canvas().cols(), 128);  // TMODE 3
    EXPECT_EQ(scr.MAXCOL, 127);
    EXPECT_EQ(scr.MAXROW, 47);

    s.run("f");
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1");
}

TEST(MainMenu, NdsetsReasksUntilInRangeAndSetsStyle) {
    Session s;
    s.run("n3{enter}0{enter}2{enter}");
    EXPECT_EQ(sel.NDSETS, 2);
    EXPECT_EQ(sel.STYLE, 2);
    EXPECT_EQ(pp.LTYP(2), 2);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 2 Ndsets 2 File 1");

    s.run("n1{enter}");
    EXPECT_EQ(sel.NDSETS, 1);
    EXPECT_EQ(sel.STYLE, 1);
}

TEST(MainMenu, NdsetsPromptShowsTheMaximumAndTheKeptValue) {
    Session s;
    s.run("n");
    EXPECT_EQ(s.bottom_row(), "Select NDSETS (maximum 2) -->");
}

TEST(MainMenu, StyleReasksAndIsForcedToOneWithOneDataSet) {
    Session s;
    s.run("s9{enter}4{enter}");
    EXPECT_EQ(sel.STYLE, 1);
    EXPECT_EQ(s.row(scr.MAXROW - 1),
              "STYLE 1: 1 plot, 2: 2 plots (1+1), 3: 2 plots (2+1), 4: 2 plots (1+2), 5: 2 plots (2+2)");
    s.run("n2{enter}s6{enter}5{enter}");
    EXPECT_EQ(sel.STYLE, 5);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 5 Ndsets 2 File 1");
}

TEST(MainMenu, FileStepsTheSlotOnlyWithTwoDataSets) {
    Session s;
    dset.FNAME(1) = "first.dat";
    dset.FNAME(2) = "second.dat";
    s.run("f");
    EXPECT_EQ(sel.slot, 1);
    s.run("n2{enter}f");
    EXPECT_EQ(sel.slot, 2);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 2 Ndsets 2 File 2 second.dat");
}

TEST(MainMenu, OneDataSetMakesSlotOneCurrentWithItsNameAndPlotNames) {
    Session s;
    dset.FNAME(1) = "g24122.dat";
    dset.FNAME(2) = "p24122.dat";
    s.run("n2{enter}fn1{enter}");
    EXPECT_EQ(sel.slot, 1);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1 g24122.dat");
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "g24122.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "g24122h.plt");
}

TEST(MainMenu, EnterAloneRepeatsTheLastCommand) {
    Session s;
    dset.FNAME(1) = "first.dat";
    s.run("n2{enter}F{enter}");  // upper case works too
    EXPECT_EQ(sel.slot, 1);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 2 Ndsets 2 File 1 first.dat");
    s.run("n2{enter}f{enter}{enter}n1{enter}");
    EXPECT_EQ(sel.slot, 1);
}

TEST(MainMenu, OtherLettersDoNothingAndQuitEndsTheRun) {
    Session s;
    EXPECT_EQ(s.run("xz7q"), 0);
    EXPECT_EQ(s.window().keys_left(), 0u);
    EXPECT_EQ(s.bottom_row(), "Select letter --> q");
}

TEST(MainMenu, ColoursOfTheMenuAreas) {
    Session s;
    s.run("");
    const auto& c = s.canvas();
    auto cell_background = [&](int col, int row) { return c.pixel(col * 8, row * 16); };
    EXPECT_EQ(cell_background(100, 0), 4);  // header in KS(1)
    EXPECT_EQ(cell_background(60, 15), 4);  // help box in KS(1)
    EXPECT_EQ(cell_background(74, 21), 4);
    EXPECT_EQ(cell_background(75, 15), 0);  // right of the box: BCOL
    EXPECT_EQ(cell_background(5, 4), 0);    // command list on BCOL
    EXPECT_EQ(cell_background(4, 15), 0);
}

}  // namespace
}  // namespace datrax
