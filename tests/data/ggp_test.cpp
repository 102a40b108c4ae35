// The GGP attempt of the reader and the variants real station files show.
#include <string>

#include "reader_test_support.h"

namespace datrax {
namespace {

using RdfileGgp = ReaderTest;

const std::string kHeader =
    "Filename     : BH______.GGP\n"
    "Station      : Black Forest Observatory\n"
    "yyyymmdd hhmmss gravity(V) pressure(hPa)\n"
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
        {1, 5, "sec", 1.0f, "volt", "volt"},       {90, 5, "min", 1.0f, "volt", "volt"},
        {60, 5, "min", 1.0f, "volt", "volt"},      {3600, 5, "hr", 1.0f, "microgal", "mbar"},
        {7200, 3, "hr", 2.0f, "microgal", "mbar"}, {30, 3, "sec", 30.0f, "volt", "volt"},
        {60, 1, "sec", 1.0f, "volt", "volt"},      {0, 3, "sec", 1.0f, "volt", "volt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        EXPECT_EQ(read("bf170801.ggp", kHeader + block(c.lines, c.step) + "99999999\n88888888\n"), 0);
        EXPECT_EQ(dset.IFORM, 3);
        EXPECT_EQ(dset.NPTS(1), c.lines);
        EXPECT_EQ(dset.NPTS(2), c.lines);
        EXPECT_EQ(dset.TUNIT.str(), c.tunit);
        EXPECT_EQ(dset.DT(1), c.dt);
        EXPECT_EQ(dset.DT(2), c.dt);
        EXPECT_EQ(dset.DUNIT(1).str(), c.dunit1);
        EXPECT_EQ(dset.DUNIT(2).str(), c.dunit2);
    }
    // Lines from different months: the interval from the days alone is
    // negative and gives one second.
    EXPECT_EQ(read("bf170831.ggp", kHeader + "77777777\n" + ggp_line("20170831", "000000", 1, 2) +
                                       ggp_line("20170901", "000000", 1, 2)),
              0);
    EXPECT_EQ(dset.TUNIT.str(), "sec");
    EXPECT_EQ(dset.DT(1), 1.0f);
}

TEST_F(RdfileGgp, ReadIntoSlotTwoFillsBothSlots) {
    dset.FNAME(1) = "old.dat";
    dir.write("bf170801.ggp", kHeader + block(4, 60));
    EXPECT_EQ(read_named("  bf170801.ggp", 2), 0);
    EXPECT_EQ(sel.NDSETS, 2);
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

TEST_F(RdfileGgp, ZeroPressureRepeatsThePreviousOne) {
    const std::string file = kHeader + "77777777\n" + ggp_line("20170801", "000000", 0.0, 0.0) +
                             ggp_line("20170801", "000100", 1.0, 1012.5) + ggp_line("20170801", "000200", 0.0, 0.0) +
                             ggp_line("20170801", "000300", 2.0, 0.0);
    Y(1, 2) = 55.0f;
    EXPECT_EQ(read("zero.ggp", file), 0);
    EXPECT_EQ(Y(1, 2), 0.0f);  // nothing to repeat on the first line
    EXPECT_EQ(Y(2, 2), 1012.5f);
    EXPECT_EQ(Y(3, 2), 1012.5f);
    EXPECT_EQ(Y(4, 2), 1012.5f);
    EXPECT_EQ(Y(3, 1), 0.0f);  // a zero gravity value is a value
}

// Variants of real station files (after a header: a data line as the
// second line of a file would read as a DATRA count); each holds the samples 1.5, 2.5, 3.5 at
// one-minute steps (pressure 1001, 1002, 1003).
TEST_F(RdfileGgp, VariantsOfRealFiles) {
    const std::string three = "20170826      0    1.5000 1001.0000\n"
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
        {"skipped 7777 lines", "77777777\n" + three.substr(0, 72) + "77770101 000000    9.0000    9.0000\n" + three.substr(72)},
        {"no closing lines at all", "header\n77777777\n" + three},
        {"crlf", "hdr\r\n77777777\r\n20170826 000000    1.5000 1001.0000\r\n"
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

    EXPECT_EQ(read("end.txt", kHeader + "88888888\n77777777\n20170101 000000    1.0000    2.0000\n"), 1);
}

TEST_F(RdfileGgp, ReadErrorReportsTheLastDataAndTriesTheList) {
    const std::string file = kHeader + "77777777\n" + ggp_line("19970101", "120000", 981.25, 1013.5) +
                             "19970102 130000  98x.0000 1014.0000\n";
    EXPECT_EQ(read("broken.ggp", file), 1);
    const auto& lines = screen.window().console_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], " GGP Reading error");
    EXPECT_EQ(lines[1], " Last data read from broken.ggp");
    // The fields as they stand: the good ones from the failed line, the rest
    // from the line before; a pressure too wide for F10.6 shows asterisks.
    EXPECT_EQ(lines[2], "1997   2 13 0 0981.250000**********");
    EXPECT_EQ(dset.NPTS(1), 1);  // the one line stored is all slot 1 now holds
}

TEST_F(RdfileGgp, MoreThanSixMillionDataLinesAreRefused) {
    std::string file = kHeader + "77777777\n";
    file.reserve(5 * (MAXPTS + 2));
    for (int i = 0; i <= MAXPTS; ++i) file += "2000\n";
    EXPECT_EQ(read("big.ggp", file, 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "File too large for DATRAX, recompile...");
    EXPECT_EQ(dset.IFORM, 1);
}

}  // namespace
}  // namespace datrax
