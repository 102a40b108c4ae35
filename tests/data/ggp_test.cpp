// The GGP attempt of the reader and the variants real station files show.
#include <cmath>
#include <cstring>
#include <string>

#include "data/calendar.h"
#include "reader_test_support.h"
#include "records/missing.h"

namespace datrax {
namespace {

using RdfileGgp = ReaderTest;

const std::string kHeader =
    "Filename     : BH______.GGP\n"
    "Station      : Black Forest Observatory\n"
    "yyyymmdd hhmmss gravity pressure\n"
    "C*******************************************\n";

std::string block(int lines, int step_seconds, int day = 1) {
    std::string s = "77777777       0.000     0.000\n";
    for (int i = 0; i < lines; ++i) {
        const int t = i * step_seconds;
        char date[16], time[16];
        std::snprintf(date, sizeof date, "201708%02d", day + t / 86400);
        std::snprintf(time, sizeof time, "%02d%02d%02d", t / 3600 % 24, t / 60 % 60, t % 60);
        s += ggp_line(date, time, 0.5 + i, 1000.0 + i);
    }
    return s;
}

TEST_F(RdfileGgp, IntervalsChooseUnits) {
    struct Case {
        int step;
        int lines;
        const char* tunit;
        float dt;
        const char* dunit1;
        const char* dunit2;
    } cases[] = {
        {1, 5, "sec", 1.0f, "volt", "volt"},       {90, 5, "min", 1.5f, "volt", "volt"},
        {60, 5, "min", 1.0f, "volt", "volt"},      {3600, 5, "hr", 1.0f, "microgal", "mbar"},
        {7200, 3, "hr", 2.0f, "microgal", "mbar"}, {30, 3, "sec", 30.0f, "volt", "volt"},
        {5400, 3, "hr", 1.5f, "microgal", "mbar"}, {60, 1, "sec", 1.0f, "volt", "volt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(read("bf170801.ggp", kHeader + block(c.lines, c.step) + "99999999\n88888888\n"), 0);
        EXPECT_EQ(dset.IFORM, 3);
        EXPECT_EQ(dset.NPTS(1), c.lines);
        EXPECT_EQ(dset.NPTS(2), c.lines);
        EXPECT_EQ(dset.missing(1), 0);
        EXPECT_EQ(dset.TUNIT.str(), c.tunit);
        EXPECT_EQ(dset.DT(1), c.dt);
        EXPECT_EQ(dset.DT(2), c.dt);
        EXPECT_EQ(dset.DUNIT(1).str(), c.dunit1);
        EXPECT_EQ(dset.DUNIT(2).str(), c.dunit2);
    }
    // Lines from different months: the interval is the day between them.
    EXPECT_EQ(read("bf170831.ggp", kHeader + "77777777\n" + ggp_line("20170831", "000000", 1, 2) +
                                       ggp_line("20170901", "000000", 1, 2)),
              0);
    EXPECT_EQ(dset.TUNIT.str(), "hr");
    EXPECT_EQ(dset.DT(1), 24.0f);
    EXPECT_EQ(format_start(dset.start(1)), "2017-08-31 00:00:00");
    // A header line naming the columns with units gives the data units.
    const struct {
        const char* header;
        const char* dunit1;
        const char* dunit2;
    } named[] = {
        {"yyyymmdd hhmmss  gravity(V)  pressure(hPa)", "volt", "hPa"},
        {"yyyymmdd hhmmss grav(nm/s^2) pres(mbar)", "nm/s2", "mbar"},
        {"Date Time Gravity(uGal) Pressure(hPa)", "microgal", "hPa"},
    };
    for (const auto& n : named) {
        EXPECT_EQ(read("bf170801.ggp", std::string(n.header) + "\n" + block(3, 60)), 0);
        EXPECT_EQ(dset.DUNIT(1).str(), n.dunit1);
        EXPECT_EQ(dset.DUNIT(2).str(), n.dunit2);
    }
}

TEST_F(RdfileGgp, ReadIntoSlotTwoFillsBothSlots) {
    dset.FNAME(1) = "old.dat";
    dir.write("bf170801.ggp", kHeader + block(4, 60));
    EXPECT_EQ(read_named("  bf170801.ggp", 2), 0);
    EXPECT_EQ(sel.NDSETS, 1);  // the selection is the data menu's business
    EXPECT_EQ(dset.form(1), 3);
    EXPECT_EQ(dset.form(2), 3);
    EXPECT_EQ(dset.FNAME(1), "bf170801.ggp");
    EXPECT_EQ(dset.FNAME(2), "bf170801.ggp");
    EXPECT_EQ(dset.TITLE(1).str(), "bf170801.ggp");
    EXPECT_EQ(dset.LTITLE(1), 12);
    EXPECT_TRUE(dset.TITLE(2).is_blank());
    EXPECT_EQ(dset.LTITLE(2), 1);
    EXPECT_EQ(Y(1, 1), 0.5f);
    EXPECT_EQ(Y(4, 1), 3.5f);
    EXPECT_EQ(Y(4, 2), 1003.0f);
    EXPECT_EQ(message_row(), "Reading GGP data ...");
}

// A pressure of 0.0 is missing like any other missing value: a repeated
// pressure would be invented data.
TEST_F(RdfileGgp, ZeroPressureIsMissing) {
    const std::string file = kHeader + "77777777\n" + ggp_line("20170801", "000000", 0.0, 0.0) +
                             ggp_line("20170801", "000100", 1.0, 1012.5) + ggp_line("20170801", "000200", 0.0, 0.0) +
                             ggp_line("20170801", "000300", 2.0, 0.0);
    Y(1, 2) = 55.0f;
    EXPECT_EQ(read("zero.ggp", file), 0);
    EXPECT_TRUE(std::isnan(Y(1, 2)));
    EXPECT_EQ(Y(2, 2), 1012.5f);
    EXPECT_TRUE(std::isnan(Y(3, 2)));
    EXPECT_TRUE(std::isnan(Y(4, 2)));
    EXPECT_EQ(dset.missing(2), 3);
    EXPECT_EQ(Y(3, 1), 0.0f);  // a zero gravity value is a value
    EXPECT_EQ(dset.missing(1), 0);
}

// Variants of real station files (after a header: a data line as the
// second line of a file would read as a DATRA count); each holds the samples 1.5, 2.5, 3.5 at
// one-minute steps (pressure 1001, 1002, 1003).
TEST_F(RdfileGgp, VariantsOfRealFiles) {
    const std::string three =
        "20170826      0    1.5000 1001.0000\n"
        "20170826    100    2.5000 1002.0000\n"
        "20170826    200    3.5000 1003.0000\n";
    struct Case {
        const char* name;
        std::string content;
    } cases[] = {
        {"plain", "77777777\n" + three + "99999999\n88888888\n"},
        {"long header lines", std::string(300, 'H') + "\n\n" + std::string(80, '7') + "\n" + three},
        {"offsets after the marker", "77777777      -12.345     1.000\n" + three},
        {"no leading zeros in times", "77777777\n" + three},
        {"three and four decimals",
         "77777777\n20170826 000000     1.500  1001.000\n20170826 000100    2.5000 1002.0000\n"
         "20170826 000200     3.500  1003.000\n"},
        {"several blocks", "77777777\n" + three.substr(0, 36) + "99999999\nBlock 2 header\nmore header\n77777777\n" +
                               three.substr(36) + "99999999\n"},
        {"skipped 7777 lines",
         "77777777\n" + three.substr(0, 72) + "77770101 000000    9.0000    9.0000\n" + three.substr(72)},
        {"no closing lines at all", "header\n77777777\n" + three},
        {"crlf",
         "hdr\r\n77777777\r\n20170826 000000    1.5000 1001.0000\r\n"
         "20170826 000100    2.5000 1002.0000\r\n20170826 000200    3.5000 1003.0000\r\n88888888\r\n"},
        {"data after the end line is not read", "77777777\n" + three + "88888888\n" + three},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(read("var.ggp", kHeader + c.content), 0);
        EXPECT_EQ(dset.IFORM, 3);
        ASSERT_EQ(dset.NPTS(1), 3);
        EXPECT_EQ(Y(1, 1), 1.5f);
        EXPECT_EQ(Y(3, 1), 3.5f);
        EXPECT_EQ(Y(2, 2), 1002.0f);
        EXPECT_EQ(dset.TUNIT.str(), "min");
        EXPECT_EQ(dset.DT(1), 1.0f);
    }
}

// Without a data block a text file is no GGP file: the plain list gets it,
// and slot 1, NDSETS and DT stay as they were.
TEST_F(RdfileGgp, FileWithoutDataMarkerIsNoGgpFile) {
    dset.NPTS(1) = 7;
    dset.DT(1) = 3.0f;
    EXPECT_EQ(read("pairs.txt", "1 2\n3 4\n", 2), 0);
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(2), 2);
    EXPECT_EQ(dset.NPTS(1), 7);
    EXPECT_EQ(dset.DT(1), 3.0f);
    EXPECT_EQ(sel.NDSETS, 1);
    EXPECT_TRUE(screen.window().console_lines().empty());

    // An end line before any data: a GGP file without samples.
    EXPECT_EQ(read("end.txt", kHeader + "88888888\n77777777\n20170101 000000    1.0000    2.0000\n"), 0);
    EXPECT_EQ(dset.IFORM, 3);
    EXPECT_EQ(dset.NPTS(1), 0);
}

// A GGP file with a line that cannot be read is not read; the three lines
// with the failing line's number, and the line as read, stay on the screen
// until a key.
TEST_F(RdfileGgp, ReadErrorReportsTheLineAndRefusesTheFile) {
    const std::string bad = "19970102 130000  98x.0000 1014.0000";
    const std::string file = kHeader + "77777777\n" + ggp_line("19970101", "120000", 981.25, 1013.5) + bad + "\n";
    EXPECT_ANY_THROW(read("broken.ggp", file));  // waits for a key the script does not hold
    EXPECT_EQ(screen.row(scr.MAXROW - 4), " GGP Reading error in line 7");
    EXPECT_EQ(screen.row(scr.MAXROW - 2), "1997   2 13 0 0981.250000**********");
    EXPECT_EQ(screen.row(scr.MAXROW - 1), bad);
    EXPECT_EQ(message_row(), "GGP file not read - hit Enter");
    const auto& lines = screen.window().console_lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], " GGP Reading error in line 7");
    EXPECT_EQ(lines[1], " Last data read from broken.ggp");
    // The fields as they stand: the good ones from the failed line, the rest
    // from the line before; a pressure too wide for F10.6 shows asterisks,
    // the line below shows it as read.
    EXPECT_EQ(lines[2], "1997   2 13 0 0981.250000**********");
    EXPECT_EQ(lines[3], bad);
    EXPECT_EQ(dset.NPTS(1), 1);  // the one line stored is all slot 1 now holds
    EXPECT_EQ(read("broken.ggp", file, 1, "{enter}"), 1);
}

// Lines whose fields cannot be read either way are read errors.
TEST_F(RdfileGgp, UnreadableFieldsAreErrors) {
    for (const char* bad : {"2017081 000100 1.5 2.5\n", "20170801 000100 1.5 x\n", "20170801 000100 1.5-2.5\n",
                            "20170801 0001x0   1.5000    2.5000\n", "20170801\t000100\t1.5\t2.5x\n"}) {
        SCOPED_TRACE(bad);
        const std::string file = kHeader + "77777777\n" + ggp_line("20170801", "000000", 1, 2) + bad;
        EXPECT_EQ(read("bad.ggp", file, 1, "{enter}"), 1);
        EXPECT_EQ(screen.row(scr.MAXROW - 4), "");  // cleared after the key
        EXPECT_EQ(screen.window().console_lines().back(), std::string(bad).substr(0, std::strlen(bad) - 1));
    }
}

// Lines of the stated layout read as the stated columns read them (blanks
// inside fields ignored, six implied decimals, exponent forms), a blank
// value field being a missing value of its column; lines written by fields
// read by fields.
TEST_F(RdfileGgp, StatedColumnsFirstThenFields) {
    const float none = kMissing;
    const struct {
        const char* line;
        float gravity, pressure;
        const char* start;
    } cases[] = {
        {"20240301  1 0 0   15.3960 1016.4423", 15.396f, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240301 000000-47.0038001015.97420", -47.0038f, 1015.9742f, "2024-03-01 00:00:00"},
        {"20240301 000000  47003800 1016.4423", 47.0038f, 1016.4423f, "2024-03-01 00:00:00"},
        {"19970101 120000", none, none, "1997-01-01 12:00:00"},
        {"20240301 000000  47.00 38 1016.4423", 47.0038f, 1016.4423f, "2024-03-01 00:00:00"},
        {"20240301 000000  4.7004+1 1016.4423", 47.004f, 1016.4423f, "2024-03-01 00:00:00"},
        {"20240301 000000  - 47.003 1016.4423", -47.003f, 1016.4423f, "2024-03-01 00:00:00"},
        {"20240301 240000   15.3960 1016.4423", 15.396f, 1016.4423f, "2024-03-02 00:00:00"},
        {"2024  05 120000   15.3960 1016.4423", 15.396f, 1016.4423f, "2024-01-05 12:00:00"},
        {"20240301 010000           1016.4423", none, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240301 010000   15.3960             99.9", 15.396f, none, "2024-03-01 01:00:00"},
        {"20240301 010000   15.3960 9999.9999", 15.396f, none, "2024-03-01 01:00:00"},
        // As stations write them, with what such lines may also hold.
        {"20240301 010000       NaN 1016.4423", none, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240301 010000  9999.999 1016.4423", none, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240005 120000   15.3960   16.4423", 15.396f, 16.4423f, "2024-01-05 12:00:00"},
        {"20240301 010000   -15396. 1016.4423  C 1", -15396.0f, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240301 010000    153960    101644", 0.15396f, 0.101644f, "2024-03-01 01:00:00"},
        // By fields: values at other positions, single blanks, tabs.
        {"20240301 010000 15.396 1016.4423", 15.396f, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240301 10000 1.5 2.5", 1.5f, 2.5f, "2024-03-01 01:00:00"},
        {"20240301\t010000\t15.396\t1016.44", 15.396f, 1016.44f, "2024-03-01 01:00:00"},
        {"20240301 010000    981.123456 1016.4423", 981.123456f, 1016.4423f, "2024-03-01 01:00:00"},
        {"20240332 010000 1.5 2.5", 1.5f, 2.5f, "2024-04-01 01:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(read("cols.ggp", kHeader + "77777777\n" + c.line + "\n"), 0);
        ASSERT_EQ(dset.NPTS(1), 1);
        for (const auto& [k, want] : {std::pair{1, c.gravity}, std::pair{2, c.pressure}}) {
            if (std::isnan(want)) {
                EXPECT_TRUE(std::isnan(Y(1, k))) << k;
            } else {
                EXPECT_FLOAT_EQ(Y(1, k), want) << k;
            }
        }
        EXPECT_EQ(format_start(dset.start(1)), c.start);
    }
}

// A header naming pressure as the only channel: its values fill slot 2 in
// its unit, slot 1 holds no sample.
TEST_F(RdfileGgp, HeaderNamesTheOneChannel) {
    for (const auto& [header, unit] :
         {std::pair{"yyyymmdd hhmmss pressure(hPa)", "hPa"}, std::pair{"yyyymmdd hhmmss    baro(m)", "m"}}) {
        SCOPED_TRACE(header);
        const std::string file = std::string("Station      : Somewhere\nBarometer (Setra 278)\n") + header +
                                 "\n77777777\n20240301 000000 1016.4423\n20240301 010000 1016.5000\n";
        ASSERT_EQ(read("baro.ggp", file), 0);
        EXPECT_EQ(dset.NPTS(2), 2);
        EXPECT_FLOAT_EQ(Y(2, 2), 1016.5f);
        EXPECT_EQ(dset.DUNIT(2).str(), unit);
        EXPECT_EQ(dset.missing(1), 2);
        EXPECT_EQ(dset.missing(2), 0);
    }
    // Free text naming an instrument in parentheses names no column.
    ASSERT_EQ(read("both.ggp", "Barometer (Setra 278)\n77777777\n20240301 000000 1.5 1016.4\n"), 0);
    EXPECT_EQ(Y(1, 1), 1.5f);
}

// Values read by fields wherever their columns lie; flags and NaN are
// missing; time stamps place the samples, gaps and the time between blocks
// are missing, lines out of time order are skipped and counted.
TEST_F(RdfileGgp, FieldsTimeStampsGapsAndFlags) {
    const std::string file = kHeader +
                             "77777777\n"
                             "20100101 000000      900.1  1000.123\n"
                             "20100101 000100 981.123456 1013.2500\n"  // %10.6f, one blank, %9.4f
                             "20100101\t000200\t5.5\t9999.999\n"
                             "20100101 000300 99999.9999 NaN\n"
                             "20100101 000200 7.0 7.0\n"  // back in time: skipped
                             "99999999\n"
                             "Block 2 header, restart\n"
                             "77777777\n"
                             "20100101 001000 10.0 1010.0\n"
                             "20100101 001000 11.0 1011.0\n"  // repeats: skipped
                             "20100101 001100 12.0\n"         // gravity only
                             "88888888\n";
    EXPECT_EQ(read("bf100101.ggp", file, 1, "{enter}"), 0);
    EXPECT_EQ(message_row(), "2 lines skipped (time repeated or out of order), first at line 10 - hit Enter");
    ASSERT_EQ(dset.NPTS(1), 12);
    EXPECT_EQ(dset.NPTS(2), 12);
    EXPECT_EQ(Y(1, 1), 900.1f);
    EXPECT_EQ(Y(1, 2), 1000.123f);
    EXPECT_EQ(Y(2, 1), 981.123456f);
    EXPECT_EQ(Y(2, 2), 1013.25f);
    EXPECT_EQ(Y(3, 1), 5.5f);
    EXPECT_TRUE(std::isnan(Y(3, 2)));
    EXPECT_TRUE(std::isnan(Y(4, 1)));
    EXPECT_TRUE(std::isnan(Y(4, 2)));
    for (int i = 5; i <= 10; ++i) EXPECT_TRUE(std::isnan(Y(i, 1)) && std::isnan(Y(i, 2))) << i;
    EXPECT_EQ(Y(11, 1), 10.0f);
    EXPECT_EQ(Y(12, 1), 12.0f);
    EXPECT_TRUE(std::isnan(Y(12, 2)));
    EXPECT_EQ(dset.missing(1), 7);
    EXPECT_EQ(dset.missing(2), 9);
    EXPECT_EQ(dset.TUNIT.str(), "min");
    EXPECT_EQ(format_start(dset.start(2)), "2010-01-01 00:00:00");
}

// The span, not the number of lines, must fit: eleven lines spanning
// 6,000,001 one-second samples are refused.
TEST_F(RdfileGgp, SpanBeyondSixMillionSamplesIsRefused) {
    // 6,000,000 s after 2000-01-01 00:00:00 is 2000-03-10 10:40:00.
    std::string file = kHeader + "77777777\n";
    for (int s = 0; s < 10; ++s) file += "20000101 00000" + std::to_string(s) + " 1 2\n";
    EXPECT_EQ(read("fits.ggp", file + "20000310 103959 1 2\n"), 0);
    EXPECT_EQ(dset.NPTS(1), MAXPTS);
    EXPECT_EQ(read("big.ggp", file + "20000310 104000 1 2\n", 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "File too large for DATRAX, recompile...");
    EXPECT_EQ(dset.IFORM, 3);  // as on entry
}

// More data lines than the samples hold: refused at the first line too
// many, the samples written counted, nothing written past them.
TEST_F(RdfileGgp, MoreLinesThanSamplesAreRefused) {
    const std::string line = "20000101 000000    1.0000    2.0000\n";
    std::string file = kHeader + "77777777\n";
    file.reserve(file.size() + line.size() * (MAXPTS + 1));
    for (INTEGER i = 0; i <= MAXPTS; ++i) file += line;
    EXPECT_EQ(read("many.ggp", file, 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "File too large for DATRAX, recompile...");
    EXPECT_EQ(dset.NPTS(1), MAXPTS);
}

}  // namespace
}  // namespace datrax
