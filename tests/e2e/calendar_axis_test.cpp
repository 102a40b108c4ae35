// The calendar time axis end to end: a GGP month drawn against UTC dates,
// zoomed to ten hours and to two days by dates (screen and plot file, the
// plot files also rendered by hp2xx), two data sets of different starts
// drawn in register, marks with their dates, and the time unit refused for
// data without a start.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/state.h"
#include "plotlib/device.h"
#include "plots/mark_table.h"
#include "support/golden_file.h"
#include "support/golden_png.h"
#include "support/hp2xx_check.h"
#include "support/sample_files.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";
const std::string kMonth =
    "dbf240301.ggp{enter}"
    "cu5{enter}r"
    "dnn{enter}";

class CalendarAxis : public ::testing::Test {
protected:
    CalendarAxis() {
        std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "bf240301.ggp",
                                   s.folder() / "bf240301.ggp");
    }
    // The screen and the saved plot file (the keys end with "sy").
    void expect_screen_and_file(const std::string& name) {
        EXPECT_EQ(s.bottom_row(), kBrowse);
        EXPECT_TRUE(testing::matches_golden_png(s.canvas(), name));
        const std::string golden = name + ".plt";
        EXPECT_TRUE(testing::matches_golden(golden, testing::read_file_bytes(s.folder() / "bf240301.plt")));
        EXPECT_TRUE(testing::renders_with_hp2xx(testing::test_output_path(golden)));
    }

    Session s;
};

TEST_F(CalendarAxis, OneMonth) {
    s.run(kMonth + "sy");
    expect_screen_and_file("cal_month");
}

TEST_F(CalendarAxis, TenHoursZoomedByDates) {
    s.run(kMonth +
          "zy2024-03-11 06:00{enter}2024-03-11 16:00{enter}yn"
          "sy");
    expect_screen_and_file("cal_ten_hours");
}

// A record across a new year names both years, and the zone of its times.
TEST_F(CalendarAxis, TheTitleNamesTheZoneAndTheYearsOfTheWindow) {
    std::string text =
        "Filename          : BF091230.GGP\nyyyymmdd hhmmss gravity(microgal) pressure(mbar)\n"
        "77777777       0.000       0.000\n";
    for (int h = 0; h < 96; ++h) {
        const int day = 30 + h / 24;  // 30 and 31 December, then 1 and 2 January
        char line[64];
        std::snprintf(
            line, sizeof line, "%s %02d0000%10.4f%10.4f\n",
            day <= 31 ? ("200912" + std::to_string(day)).c_str() : ("2010010" + std::to_string(day - 31)).c_str(),
            h % 24, 40.0 * std::sin(h * 0.26), 1005.0 + 4.0 * std::cos(h * 0.1));
        text += line;
    }
    testing::write_text_file("bf091230.ggp", text + "99999999\n88888888\n");
    s.run(
        "dbf091230.ggp{enter}"
        "cu5{enter}r"
        "dnn{enter}"
        "snyears.plt{enter}");
    ASSERT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(pp.AXTITX(1).trimmed(), "date (UTC)");
    const std::string plot = testing::read_file_bytes(s.folder() / "years.plt");
    EXPECT_NE(plot.find(" LBdate (UTC) 2009-2010\x03"), std::string::npos);
    // Zoomed to the last day, the window holds one year again.
    s.run(
        "dy"
        "cu5{enter}r"
        "dy2010-01-02{enter}2010-01-02 23:00{enter}n{enter}"
        "snyear.plt{enter}");
    EXPECT_NE(testing::read_file_bytes(s.folder() / "year.plt").find(" LBdate (UTC) 2010\x03"), std::string::npos);
}

TEST_F(CalendarAxis, TwoDaysZoomedByDates) {
    s.run(kMonth +
          "zy2024-03-11{enter}2024-03-13{enter}n"
          "sy");
    expect_screen_and_file("cal_two_days");
}

TEST_F(CalendarAxis, ATextThatIsNoDateIsNamed) {
    s.run(kMonth + "zy2024-03-1106:00{enter}");
    EXPECT_EQ(s.bottom_row(), "Not a date (yyyy-mm-dd hh:mm) : 2024-03-1106:00 -->");
}

TEST_F(CalendarAxis, DatesOutOfOrderAreRefused) {
    s.run(kMonth + "zy2024-03-12{enter}2024-03-11{enter}");
    EXPECT_EQ(s.bottom_row(), "Incompatible Limits : [2024-03-12 00:00, 2024-03-11 00:00] redo -->");
}

TEST_F(CalendarAxis, DatesAreAskedAgainAndEnterKeepsTheDateShown) {
    s.run(kMonth +
          "zy2024-03-1106:00{enter}{enter}"
          "2024-03-12{enter}2024-03-11{enter}{enter}"
          "{enter}2024-03-13 12:00{enter}n");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(plotw.TLO, 264.0f);
    EXPECT_EQ(plotw.THI, 300.0f);
    EXPECT_EQ(plotw.I1, 265);
    EXPECT_EQ(plotw.I2, 301);
}

// A date outside the data is taken as a time outside it is: the window
// reaches beyond the record.
TEST_F(CalendarAxis, DatesOutsideTheDataWidenTheWindow) {
    s.run(kMonth + "zy2024-02-29{enter}2024-03-02{enter}n");
    EXPECT_EQ(s.bottom_row(), kBrowse);
    EXPECT_EQ(plotw.I1, -23);
    EXPECT_EQ(plotw.J1, 1);
    EXPECT_EQ(plotw.I2, 25);
}

TEST_F(CalendarAxis, AMarkShowsItsDateAfterItsValue) {
    s.run(kMonth + "m{enter}");  // the centre lies in the pressure area
    char value[32];
    std::snprintf(value, sizeof value, "%.4f", static_cast<double>(Y(372, 2)));
    EXPECT_NE(
        s.bottom_row().find(" Index = 372   y = " + std::string(value) + " mbar   t = 2024-03-16 11:00:00 Select"),
        std::string::npos)
        << s.bottom_row();
}

TEST_F(CalendarAxis, TheTableOfTheMarksCarriesTheirDates) {
    s.run(kMonth +
          "m{enter}n"
          "snmarks.svg{enter}");
    char value[32];
    std::snprintf(value, sizeof value, "%.4f", static_cast<double>(Y(372, 2)));
    EXPECT_EQ(testing::read_file_bytes(s.folder() / "marks.mrk"),
              "# index time [hour] value unit calendar time (UTC)\n"
              "372 371.0000 " +
                  std::string(value) + " mbar 2024-03-16 11:00:00\n");
}

// DATRA day files: the value is a function of the hour of the year, so two
// files overlapping in time hold the same values at the same hours, whatever
// their intervals and time units.
void write_series(const std::string& name, double first_hour, int n, const std::string& dt, const std::string& unit,
                  double hours_per_sample) {
    const testing::DatraLayout layout{
        "hours from " + std::to_string(static_cast<int>(first_hour)), dt, "(5f10.3)", "MICROGAL", unit, 5, "%10.3f"};
    testing::write_text_file(name, testing::datra_text(layout, n, [=](int i) {
                                 const double hour = first_hour + (i - 1) * hours_per_sample;
                                 return 40.0 * std::sin(hour * 0.26) + 0.5 * hour;
                             }));
}

void write_hours(const std::string& name, int first_hour, int n) {
    write_series(name, first_hour, n, "1.0", "Hour", 1.0);
}

// Pixels of colour c inside the page rectangle (x0, y0)-(x1, y1), inches.
int count_colour(const platform::Canvas& canvas, REAL x0, REAL y0, REAL x1, REAL y1, int c) {
    INTEGER ax = 0, ay = 0, bx = 0, by = 0;
    INCPIX(x0, y0, ax, ay, 0);
    INCPIX(x1, y1, bx, by, 0);
    int n = 0;
    for (int y = std::min(ay, by); y <= std::max(ay, by); ++y)
        for (int x = ax; x <= bx; ++x) n += canvas.pixel(x, y) == c;
    return n;
}

TEST_F(CalendarAxis, TwoDataSetsOfDifferentStartsAreDrawnInRegister) {
    write_hours("g24100.dat", 0, 48);   // 9 April 2024, two days
    write_hours("g24101.dat", 24, 24);  // 10 April, the second of them
    pp.ZGRD = false;
    s.run(
        "n2{enter}s1{enter}"
        "dg24100.dat{enter}g24101.dat{enter}"
        "cu5{enter}r"
        "dnn{enter}");
    ASSERT_EQ(s.bottom_row(), kBrowse);
    EXPECT_TRUE(testing::matches_golden_png(s.canvas(), "cal_two_starts"));
    // Data set 2 (colour 9) lies exactly over the second day of data set 1
    // (colour 15): none of data set 1 shows there, none of data set 2 before.
    const REAL day2 = pp.XMIN + pp.XLEN * 24.0f / 47.0f;
    const REAL lo = pp.YMIN + 0.2f, hi = pp.YMAX - 0.03f;  // above the ticks
    EXPECT_EQ(count_colour(s.canvas(), day2 + 0.05f, lo, pp.XMAX - 0.03f, hi, 15), 0);
    EXPECT_GT(count_colour(s.canvas(), day2 + 0.05f, lo, pp.XMAX - 0.03f, hi, 9), 100);
    EXPECT_GT(count_colour(s.canvas(), pp.XMIN + 0.03f, lo, day2 - 0.05f, hi, 15), 100);
    EXPECT_EQ(count_colour(s.canvas(), pp.XMIN + 0.03f, lo, day2 - 0.05f, hi, 9), 0);
}

// A day in seconds beside the next day in minutes (a gravity and a pressure
// file): each is placed by its own interval, though the time unit shown is
// the last file's.
TEST_F(CalendarAxis, DataSetsOfOtherTimeUnitsAreDrawnInRegister) {
    write_series("g24100.dat", 0, 1440, "60.0", "sec", 1.0 / 60.0);
    write_series("p24101.dat", 24, 1440, "1.0", "min", 1.0 / 60.0);
    pp.ZGRD = false;
    s.run(
        "n2{enter}s1{enter}"
        "dg24100.dat{enter}p24101.dat{enter}"
        "cu5{enter}r"
        "dnn{enter}");
    ASSERT_EQ(s.bottom_row(), kBrowse);
    const REAL day2 = pp.XMIN + pp.XLEN * 1440.0f / 2879.0f;
    const REAL lo = pp.YMIN + 0.2f, hi = pp.YMAX - 0.03f;
    EXPECT_EQ(count_colour(s.canvas(), day2 + 0.05f, lo, pp.XMAX - 0.03f, hi, 15), 0);
    EXPECT_GT(count_colour(s.canvas(), day2 + 0.05f, lo, pp.XMAX - 0.03f, hi, 9), 100);
    EXPECT_GT(count_colour(s.canvas(), pp.XMIN + 0.03f, lo, day2 - 0.05f, hi, 15), 100);
    EXPECT_EQ(count_colour(s.canvas(), pp.XMIN + 0.03f, lo, day2 - 0.05f, hi, 9), 0);
    // The last sample of data set 1 is 23:59 of its day, in seconds.
    EXPECT_EQ(calendar_time(1440, 1), "2024-04-09 23:59:00");
    EXPECT_EQ(calendar_time(1, 2), "2024-04-10 00:00:00");
}

// A VELK pressure day holds 8640 values ten seconds apart: its last value is
// at 23:59:50 of its day, and its interval reads 10 sec.
TEST_F(CalendarAxis, AVelkPressureDayEndsWithItsDay) {
    std::filesystem::copy_file(std::filesystem::path(DATRAX_SOURCE_DIR) / "samples" / "p24123.dat",
                               s.folder() / "p24123.dat");
    s.run(
        "dp24123.dat{enter}"
        "cu5{enter}r");
    EXPECT_EQ(dset.interval_seconds(1), 10.0);
    EXPECT_EQ(dset.DT(1), 10.0f);
    EXPECT_EQ(dset.TUNIT.str(), "sec");
    EXPECT_EQ(calendar_time(8640, 1), "2024-05-02 23:59:50");
}

TEST_F(CalendarAxis, RefusedWhileADataSetHasNoStart) {
    write_hours("plain.dat", 0, 48);  // no date in its name: its start is not known
    s.run(
        "dplain.dat{enter}"
        "cu5{enter}");
    EXPECT_EQ(s.row(s.canvas().rows() - 3), "ITUP 5 needs the start date of the data; not known for data set 1");
    EXPECT_EQ(s.bottom_row(), "ITUP   ->");
    EXPECT_NE(s.screen().find("      : 5 = calendar date and time (when the data's start is known)"),
              std::string::npos);
}

// A plain list has neither a start nor a time unit: the unit is user units,
// which the U screen does not ask to change, so calendar time is not offered.
TEST_F(CalendarAxis, APlainListKeepsItsOwnUnits) {
    testing::write_text_file("list.txt", "time,value\n1,10.5\n2,11.0\n3,12.5\n");
    s.run(
        "dlist.txt{enter}y"
        "cu5{enter}");
    EXPECT_EQ(pp.ITUP, 0);
    EXPECT_EQ(s.row(s.canvas().rows() - 1), "Select letter -->");
}

TEST_F(CalendarAxis, AnotherUnitIsTakenAfterTheRefusal) {
    write_hours("plain.dat", 0, 48);
    s.run(
        "dplain.dat{enter}"
        "cu5{enter}4{enter}");
    EXPECT_EQ(pp.ITUP, 4);
    EXPECT_EQ(s.row(s.canvas().rows() - 3), "");
    EXPECT_EQ(pp.AXTITX(1), Text<40>("day"));
}

}  // namespace
}  // namespace datrax
