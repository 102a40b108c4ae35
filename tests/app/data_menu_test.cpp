// The data menu on data sets placed straight into the records.
#include "app/data_menu.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/plot_names.h"
#include "app/state.h"
#include "data/units.h"
#include "platform/run_stop.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Screen;

// Two small data sets as a GGP pair would leave them.
void load_pair() {
    for (int i = 1; i <= 5; ++i) {
        Y(i, 1) = -12.5f + static_cast<REAL>(i);
        Y(i, 2) = 1000.25f - static_cast<REAL>(i);
    }
    dset.NPTS(1) = dset.NPTS(2) = 5;
    dset.DT = {60.0f, 60.0f};
    dset.TUNIT = "sec";
    dset.DUNIT(1) = "nm/s^2";
    dset.DUNIT(2) = "hPa";
    dset.TITLE(1) = "Station gravity";
    dset.LTITLE(1) = 15;
    dset.FNAME(1) = "st0101.ggp";
    dset.FNAME(2) = "st0101.ggp";
    dset.IFORM = 3;
    dset.form(1) = dset.form(2) = 3;
    dset.ITU = 1;
    pp.ITUP = 1;
    TFACTS();
    AXLABS();
}

// Runs the data menu until the script is used up or R returns.
void run_menu(Screen& s, std::string_view keys) {
    s.keys(keys);
    LOGICAL new_data = true;
    try {
        DATAMN(dset.FNAME, gp.TMODE, gp.GMODE, new_data, sel.slot, gp.KS);
    } catch (const RunStop&) {
    }
}

TEST(DataMenu, SummaryOfTheCurrentDataSet) {
    Screen s(3);
    load_pair();
    sel.NDSETS = 2;
    sel.STYLE = 2;
    run_menu(s, "");
    EXPECT_EQ(s.row(0), " DATA MENU - Ndsets 2 File 1 Style 2 st0101.ggp");
    EXPECT_EQ(s.row(2), "      D - DATA      Plot");
    EXPECT_EQ(s.row(12), "      R - RETURN    to Main Menu");  // above the summary box
    EXPECT_EQ(s.row(14), "      Station gravity");
    EXPECT_EQ(s.row(15), "      Number of data points : 5");
    EXPECT_EQ(s.row(16), "      Data Limits           : [-11.500000, -7.500000] : nm/s^2");
    EXPECT_EQ(s.row(17), "      Time Interval         : 60.000000  : sec");
    EXPECT_EQ(s.row(18), "      Time Scaling Factor   : 1.000000");
    EXPECT_EQ(s.row(19), "      Time Axis Label       : sec");
    EXPECT_EQ(s.row(20), "      File format           : GGP");
    EXPECT_EQ(s.canvas().pixel(60 * 8, 15 * 16), 2);  // summary box in KS(2)
}

TEST(DataMenu, FileAlternatesSlotsAndRebuildsPlotNames) {
    Screen s(3);
    load_pair();
    dset.FNAME(2) = "g24123.dat";
    sel.NDSETS = 2;
    run_menu(s, "f");
    EXPECT_EQ(sel.slot, 2);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "g24123.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "g24123h.plt");
    EXPECT_EQ(s.row(16), "      Data Limits           : [995.250000, 999.250000] : hPa");
    run_menu(s, "{enter}");
    EXPECT_EQ(sel.slot, 1);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "st0101.plt");
}

// With slot 2 current, one data set makes slot 1 current: header, summary
// and default plot names follow at once.
TEST(DataMenu, OneDataSetShowsSlotOneAndItsPlotNames) {
    Screen s(3);
    load_pair();
    dset.IFORM = 2;
    dset.FNAME(1) = "g24122.dat";
    dset.FNAME(2) = "p24122.dat";
    sel.NDSETS = 2;
    sel.STYLE = 2;
    run_menu(s, "fn1{enter}");
    EXPECT_EQ(sel.slot, 1);
    EXPECT_EQ(s.row(0), " DATA MENU - Ndsets 1 File 1 Style 1 g24122.dat");
    EXPECT_EQ(s.row(16), "      Data Limits           : [-11.500000, -7.500000] : nm/s^2");
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "g24122.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "g24122h.plt");
}

TEST(DataMenu, ReturnAfterAGgpFileResetsTheSelection) {
    Screen s(3);
    load_pair();
    sel.NDSETS = 2;
    sel.STYLE = 2;
    sel.slot = 2;
    run_menu(s, "r");
    EXPECT_EQ(sel.NDSETS, 1);
    EXPECT_EQ(sel.STYLE, 1);
    EXPECT_EQ(sel.slot, 1);
}

TEST(DataMenu, StyleAndNdsetsDialogues) {
    Screen s(3);
    load_pair();
    dset.form(1) = 1;
    run_menu(s, "n2{enter}s3{enter}1{enter}");
    EXPECT_EQ(sel.NDSETS, 2);
    EXPECT_EQ(sel.STYLE, 1);
    EXPECT_EQ(s.row(0), " DATA MENU - Ndsets 2 File 1 Style 1 st0101.ggp");
    EXPECT_EQ(s.row(20), "      File format           : DATRA");
}

TEST(DataMenu, PlainListShowsNoUnitAndTheListFormatLine) {
    Screen s(3);
    load_pair();
    dset.form(1) = 4;
    dset.TUNIT = "no unit";
    dset.DUNIT(1) = "no unit";
    run_menu(s, "");
    EXPECT_EQ(s.row(16), "      Data Limits           : [-11.500000, -7.500000] : no unit");
    EXPECT_EQ(s.row(17), "      Time Interval         : 60.000000  : no unit");
    EXPECT_EQ(s.row(20), "      File format           : List");
}

// The start and the missing samples, when known, below the summary; limits
// of the present samples.
TEST(DataMenu, StartAndMissingSamples) {
    Screen s(3);
    load_pair();
    dset.start(1) = 1264982400.0;  // 2010-02-01 00:00:00
    Y(2, 1) = std::numeric_limits<float>::quiet_NaN();
    Y(5, 1) = std::numeric_limits<float>::quiet_NaN();
    dset.missing(1) = 2;
    run_menu(s, "");
    EXPECT_EQ(s.row(16), "      Data Limits           : [-11.500000, -8.500000] : nm/s^2");
    EXPECT_EQ(s.row(21), "      Start                 : 2010-02-01 00:00:00");
    EXPECT_EQ(s.row(22), "      Missing samples       : 2");
    EXPECT_EQ(s.canvas().pixel(60 * 8, 23 * 16), 2);  // the box holds them
}

// A dated list's zone beside its start, and how its dates were read.
TEST(DataMenu, ZoneAndDateOrderOfADatedList) {
    Screen s(3);
    load_pair();
    dset.start(1) = 1264982400.0;
    dset.zone(1) = "UTC+09:30";
    dset.date_order(1) = "day first (assumed)";
    run_menu(s, "");
    EXPECT_EQ(s.row(21), "      Start                 : 2010-02-01 00:00:00 UTC+09:30");
    EXPECT_EQ(s.row(22), "      Dates read            : day first (assumed)");
    EXPECT_EQ(s.canvas().pixel(60 * 8, 22 * 16), 2);  // inside the box
}

TEST(DataMenu, LargeValuesDoNotStopTheProgram) {
    Screen s(3);
    load_pair();
    Y(3, 1) = 9.8e8f;  // absolute gravity in microgal
    Y(700, 1) = 5e9f;  // left behind by an earlier, longer file
    run_menu(s, "");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
}

}  // namespace
}  // namespace datrax
