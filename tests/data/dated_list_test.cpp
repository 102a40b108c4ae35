// Dated lists written the way loggers and spreadsheets write them: placed
// by their time stamps, columns chosen by their header names.
#include <cmath>
#include <string>

#include "app/ggp_pair.h"
#include "data/calendar.h"
#include "data/dated_lines.h"
#include "data/list_columns.h"
#include "reader_test_support.h"

namespace datrax {
namespace {

using DatedList = ReaderTest;

std::string crlf(const std::string& s) {
    std::string out;
    for (const char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct Expect {
    INTEGER npts, missing;
    float dt;
    const char* tunit;
    const char* start;
    const char* dunit;
    const char* title;
    const char* zone;
    const char* order;
};

void check_slot(INTEGER k, const Expect& e) {
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(k), e.npts);
    EXPECT_EQ(dset.missing(k), e.missing);
    EXPECT_FLOAT_EQ(dset.DT(k), e.dt);
    EXPECT_EQ(dset.TUNIT.str(), e.tunit);
    EXPECT_EQ(format_start(dset.start(k)), e.start);
    EXPECT_EQ(dset.DUNIT(k).str(), e.dunit);
    EXPECT_EQ(dset.TITLE(k).str(), e.title);
    EXPECT_EQ(dset.zone(k).str(), e.zone);
    EXPECT_EQ(dset.date_order(k).str(), e.order);
}

TEST_F(DatedList, LoggerFilesAsWritten) {
    const struct {
        const char* name;
        std::string content;
        Expect e;
        float last;
    } cases[] = {
        {"day first, CRLF, an empty value, a gap of eleven days",
         crlf("Logger 1 (site A)\nDate,Time,Pressure_cmH2O\n13/07/2016,11:30,1012.5\n13/07/2016,11:45,\n"
              "13/07/2016,12:00,1013.0\n13/07/2016,12:15,1013.5\n24/07/2016,12:15,1020.0\n"),
         {4 + 1056, 1 + 1055, 15.0f, "min", "2016-07-13 11:30:00", "cmH2O", "Pressure_cmH2O", "", "day first"},
         1020.0f},
        {"month first, hours without a zero, NaN, a zone in the header",
         "Date Time (UTC-5),Abs Pres (kPa)\n7/13/2016 9:00,101.2\n7/13/2016 9:30,101.3\n7/13/2016 10:00,NaN\n"
         "7/13/2016 10:30,101.5\n",
         {4, 1, 30.0f, "min", "2016-07-13 09:00:00", "kPa", "Abs Pres (kPa)", "UTC-5", "month first"},
         101.5f},
        {"semicolons, decimal commas, dotted dates the file does not decide",
         "Datum;Zeit;Luftdruck [hPa]\n01.03.2024;00:00:00;1012,31\n01.03.2024;00:10:00;1012,40\n"
         "01.03.2024;00:20:00;1012,52\n",
         {3, 0, 10.0f, "min", "2024-03-01 00:00:00", "hPa", "Luftdruck [hPa]", "", "day first (assumed)"},
         1012.52f},
        {"tabs and a decimal comma",
         "date\ttime\tlevel(m)\n2024-03-01\t00:00\t1,5\n2024-03-01\t01:00\t2,5\n",
         {2, 0, 1.0f, "hr", "2024-03-01 00:00:00", "m", "level(m)", "", ""},
         2.5f},
        {"blanks between columns, a unit apart from its name",
         "Date Time Pressure (hPa)\n2024-03-01 00:00 1012.5\n2024-03-01 01:00 1012.7\n",
         {2, 0, 1.0f, "hr", "2024-03-01 00:00:00", "hPa", "Pressure (hPa)", "", ""},
         1012.7f},
        {"six numeric fields, years 70-99 in the 1900s",
         "97 12 31 23 59 00 5.0\n97 12 31 23 59 30 6.0\n98 01 01 00 00 00 7.0\n",
         {3, 0, 30.0f, "sec", "1997-12-31 23:59:00", "no unit", "", "", ""},
         7.0f},
        {"yyyymmdd hhmmss",
         "20240301 000000 1.5\n20240301 000500 2.5\n20240301 001000 3.5\n20240301 002000 4.5\n",
         {5, 1, 5.0f, "min", "2024-03-01 00:00:00", "no unit", "", "", ""},
         4.5f},
        {"a day-number column named before the value",
         "Date,DayNumber,Level_m\n2016-07-03 00:00,185.000,1.23\n2016-07-03 01:00,185.042,1.25\n"
         "2016-07-03 02:00,185.083,1.27\n",
         {3, 0, 1.0f, "hr", "2016-07-03 00:00:00", "m", "Level_m", "", ""},
         1.27f},
        {"an unnamed column rising with the stamps",
         "2016-07-03T00:00,185.0000,1.23\n2016-07-03T01:00,185.0417,1.25\n2016-07-03T02:00,185.0833,1.27\n"
         "2016-07-03T03:00,185.1250,1.29\n",
         {4, 0, 1.0f, "hr", "2016-07-03 00:00:00", "no unit", "", "", ""},
         1.29f},
        {"seconds since 1970",
         "1467546300,1.5\n1467546360,2.5\n",
         {2, 0, 1.0f, "min", "2016-07-03 11:45:00", "no unit", "", "", ""},
         2.5f},
        {"as written back by the program: fractions of a second, empty values",
         "time,Gravity [nm/s2]\n2024-03-01 00:00:00.000,1.5\n2024-03-01 00:00:00.500,\n"
         "2024-03-01 00:00:01.000,2.5\n",
         {3, 1, 0.5f, "sec", "2024-03-01 00:00:00", "nm/s2", "Gravity [nm/s2]", "", ""},
         2.5f},
        {"every field quoted, a comma inside the quoted name",
         crlf("\"Date Time\",\"Station BF, gravity [microgal]\"\n\"2024-03-01 00:00:00\",\"1.5\"\n"
              "\"2024-03-01 00:01:00\",\"\"\n\"2024-03-01 00:02:00\",\"-2.25\"\n"),
         {3, 1, 1.0f, "min", "2024-03-01 00:00:00", "microgal", "Station BF, gravity [microgal]", "", ""},
         -2.25f},
        {"written back with a zone",
         "time[UTC+10],Pressure [hPa]\n2024-03-01 00:00:00,1012.5\n2024-03-01 01:00:00,1013.5\n",
         {2, 0, 1.0f, "hr", "2024-03-01 00:00:00", "hPa", "Pressure [hPa]", "UTC+10", ""},
         1013.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(read("logger.csv", c.content), 0);
        check_slot(1, c.e);
        EXPECT_FLOAT_EQ(Y(c.e.npts, 1), c.last);
        EXPECT_FALSE(dset.list_pair);
    }
}

// A second sensor writing one second after the first: its lines fall on
// the first sensor's samples and are skipped, with one notice.
TEST_F(DatedList, SecondSensorOneSecondLater) {
    std::string file = "Time[UTC+09:30],Baro_m\n";
    char line[64];
    for (int i = 0; i < 40; ++i) {
        std::snprintf(line, sizeof line, "2024-03-01T%02d:%02d:00,10.%d\n", i / 4, i % 4 * 15, i % 10);
        file += line;
        std::snprintf(line, sizeof line, "2024-03-01T%02d:%02d:01,20.%d\n", i / 4, i % 4 * 15, i % 10);
        file += line;
    }
    ASSERT_EQ(read("two.csv", file, 1, "{enter}"), 0);
    EXPECT_EQ(message_row(), "40 lines skipped (time repeated or out of order), first at line 3 - hit Enter");
    check_slot(1, {40, 0, 15.0f, "min", "2024-03-01 00:00:00", "m", "Baro_m", "UTC+09:30", ""});
    EXPECT_FLOAT_EQ(Y(40, 1), 10.9f);
}

// Two value columns fill both slots, as a GGP file does.
TEST_F(DatedList, TwoValueColumnsFillBothSlots) {
    dset.FNAME(1) = "old.dat";
    ASSERT_EQ(read("pair.txt",
                   "date time gravity(nm/s2) pressure(hPa)\n20240301 000000 1.5 1016.2\n20240301 000100 2.5 NaN\n", 2),
              0);
    EXPECT_TRUE(dset.list_pair);
    EXPECT_TRUE(ggp_pair());
    check_slot(1, {2, 0, 1.0f, "min", "2024-03-01 00:00:00", "nm/s2", "gravity(nm/s2)", "", ""});
    check_slot(2, {2, 1, 1.0f, "min", "2024-03-01 00:00:00", "hPa", "pressure(hPa)", "", ""});
    EXPECT_EQ(dset.FNAME(1), "pair.txt");
    // Reading another file into one slot parts the pair.
    ASSERT_EQ(read("one.txt", "1 2\n3 4\n", 2), 0);
    EXPECT_FALSE(dset.list_pair);
}

TEST_F(DatedList, FilesThatCannotBeReadSayWhy) {
    const struct {
        const char* content;
        const char* message;
    } cases[] = {
        {"31/01/2016 00:00,1\n31/02/2016 00:00,2\n", "List not read: line 2 holds an impossible date - hit Enter"},
        {"13/01/2016 00:00,1\n01/13/2016 00:00,2\n",
         "List not read: its dates put the day first and the month first - hit Enter"},
        {"2016-01-01 00:00,1\n2016-01-01 00:10,x\n", "List not read: line 2: \"x\" is not a number - hit Enter"},
        {"2016-01-01 00:00,1\nthe end\n", "List not read: line 2 is not a date, time and value - hit Enter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        dset.IFORM = 1;
        EXPECT_EQ(read("bad.csv", c.content, 1, "{enter}"), 1);
        EXPECT_EQ(message_row(), c.message);
        EXPECT_EQ(dset.IFORM, 1);
    }
}

// Lists without dates keep the free-format rules: repeat counts, a pair
// split over two lines, a slash ending a line.
TEST_F(DatedList, ListsWithoutDatesKeepFreeFormat) {
    ASSERT_EQ(read("free.txt", "0 10\n2*1.5\n3\n4.5\n5 6 / 7\n"), 0);
    EXPECT_EQ(dset.NPTS(1), 4);
    EXPECT_EQ(Y(2, 1), 1.5f);
    EXPECT_EQ(Y(3, 1), 4.5f);
    EXPECT_EQ(Y(4, 1), 6.0f);
    EXPECT_EQ(dset.TUNIT.str(), "no unit");
    EXPECT_TRUE(std::isnan(dset.start(1)));
}

TEST(DatedLines, ColumnNames) {
    for (const char* t : {"Date", "Time[UTC+10]", "DayNumber", "DOY", "Julian day", "timestamp"}) {
        EXPECT_TRUE(names_time_column(t)) << t;
    }
    for (const char* v : {"Level_m", "pressure(hPa)", "Baro", "Temperature"}) EXPECT_FALSE(names_time_column(v)) << v;
    const std::pair<const char*, const char*> units[] = {
        {"Pressure_cmH2O", "cmH2O"}, {"Baro_m", "m"},     {"pressure(hPa)", "hPa"}, {"Level [m]", "m"},
        {"gravity(V)", "volt"},      {"Water_Level", ""}, {"Time[UTC+10]", ""},     {"Pressure", ""}};
    for (const auto& [name, unit] : units) EXPECT_EQ(unit_in_name(name), unit) << name;
    EXPECT_EQ(zone_in_header("Time[UTC+09:30],Baro"), "UTC+09:30");
    EXPECT_EQ(zone_in_header("Date (utc-5)"), "UTC-5");
    EXPECT_EQ(zone_in_header("time (UTC)"), "UTC");
    EXPECT_EQ(zone_in_header("Date,Level"), "");
}

TEST(DatedLines, StampForms) {
    const struct {
        const char* line;
        char sep;
        DateForm form;
        size_t used;
    } cases[] = {
        {"2016-07-03 11:45:00,1", ',', DateForm::YearFirst, 1},
        {"2016/07/03,11:45,1", ',', DateForm::YearFirst, 2},
        {"03.07.2016 11:45 1", ' ', DateForm::YearLast, 2},
        {"20160703 114500 1", ' ', DateForm::Compact, 2},
        {"16 07 03 11 45 00 1", ' ', DateForm::SixFields, 6},
        {"1467546300 1", ' ', DateForm::Unix, 1},
        {"1 2", ' ', DateForm::None, 0},
        {"2016-07-03 25:00,1", ',', DateForm::None, 0},
        {"\"2016-07-03 11:45\",\"1\"", ',', DateForm::YearFirst, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(list_separator(c.line), c.sep);
        std::string_view f[kMaxListFields];
        const size_t n = split_list_line(c.line, c.sep, f);
        const ListStamp s = read_list_stamp(f, n);
        EXPECT_EQ(s.form, c.form);
        EXPECT_EQ(s.used, c.used);
    }
}

}  // namespace
}  // namespace datrax
