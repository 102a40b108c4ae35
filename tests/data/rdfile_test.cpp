// The DATRA, VELK and plain-list attempts of the reader, and how a file
// falls through from one attempt to the next.
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "reader_test_support.h"

namespace datrax {
namespace {

using RdfileDatra = ReaderTest;
using RdfileVelk = ReaderTest;
using RdfileList = ReaderTest;

const std::string kTwelve =
    "    1.000000    2.000000    3.000000    4.000000    5.000000\n"
    "    6.000000    7.000000    8.000000    9.000000   10.000000\n"
    "   11.000000   12.000000\n";

TEST_F(RdfileDatra, ReadsHeaderAndSamples) {
    const std::string file =
        "   Station X, gravity\n" + datra_counts(12, "60.0") + datra_texts("   (5f12.6)", "  MBAR", "min") + kTwelve;
    dset.IFORM = 3;
    EXPECT_EQ(read("d24001.dat", file), 0);
    EXPECT_EQ(dset.IFORM, 1);
    EXPECT_EQ(dset.NPTS(1), 12);
    EXPECT_EQ(dset.DT(1), 60.0f);
    EXPECT_EQ(dset.TITLE(1).str(), "Station X, gravity");
    EXPECT_EQ(dset.LTITLE(1), 18);
    EXPECT_EQ(dset.DUNIT(1).str(), "  MBAR");  // normalised later by TUNITS
    EXPECT_EQ(dset.TUNIT.str(), "min");
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(Y(i, 1), static_cast<float>(i));
    EXPECT_EQ(message_row(), "Reading DATRA data ...");
}

TEST_F(RdfileDatra, CountsAndIntervals) {
    struct Case {
        long n;
        const char* dt;
        INTEGER npts;
        float expected_dt;
    } cases[] = {{0, "1.0", 0, 1.0f}, {-5, "1.0", -5, 1.0f}, {3, "60", 3, 0.0006f}, {3, "1.5E3", 3, 1500.0f}};
    for (const auto& c : cases) {
        Y(1, 2) = 99.0f;
        const std::string file = "t\n" + datra_counts(c.n, c.dt) + datra_texts("(f5.1)", "volt", "sec") +
                                 (c.n > 0 ? "  1.0\n  2.0\n  3.0\n" : "");
        EXPECT_EQ(read("counts.dat", file, 2), 0) << c.n;
        EXPECT_EQ(dset.NPTS(2), c.npts);
        EXPECT_EQ(dset.DT(2), c.expected_dt) << c.dt;
        EXPECT_EQ(Y(1, 2), c.n > 0 ? 1.0f : 99.0f);
    }
}

TEST_F(RdfileDatra, SixMillionSamplesFitOneMoreIsRefusedBeforeLineThree) {
    std::string file = "big\n" + datra_counts(MAXPTS, "1.0") + datra_texts("(1000f1.0)", "volt", "sec");
    const std::string line = std::string(999, '0') + "7\n";
    for (int i = 0; i < MAXPTS / 1000; ++i) file += line;
    EXPECT_EQ(read("big.dat", file), 0);
    EXPECT_EQ(dset.NPTS(1), MAXPTS);
    EXPECT_EQ(Y(MAXPTS, 1), 7.0f);
    EXPECT_EQ(Y(MAXPTS - 1, 1), 0.0f);

    // The count refuses the file once line 3 has shown it is a DATRA file.
    dset.IFORM = 3;
    EXPECT_EQ(
        read("huge.dat", "huge\n" + datra_counts(MAXPTS + 1, "1.0") + datra_texts("(5f12.6)", "v", "s"), 1, "{enter}"),
        1);
    EXPECT_EQ(message_row(), "File too large for DATRAX, recompile...");
    EXPECT_EQ(dset.NPTS(1), MAXPTS);       // left as it was
    EXPECT_EQ(dset.FNAME(1), "huge.dat");  // blanked by the caller, not the reader
    EXPECT_EQ(dset.IFORM, 3);
    // Without line 3 the large number is no count: a title and a list of
    // Unix time stamps, or a GGP file with one header line.
    EXPECT_EQ(read("stamps.txt", "Time,Value\n1700000000,1.5\n1700000060,2.5\n"), 0);
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(1), 2);
    EXPECT_EQ(read("bf170801.ggp", "header\n77777777\n20170801 000000 1.0 2.0\n20170801 000100 3.0 4.0\n"), 0);
    EXPECT_EQ(dset.IFORM, 3);
    EXPECT_EQ(dset.NPTS(1), 2);
}

TEST_F(RdfileDatra, EarlyEndKeepsWhatWasReadAndCountsOnlyThat) {
    Y(11, 1) = 42.0f;  // left over from an earlier file
    // The second line is short: its missing columns read as blanks.
    const std::string file = "t\n" + datra_counts(12, "1.0") + datra_texts("(5f12.6)", "volt", "sec") +
                             kTwelve.substr(0, 61) + "    6.000000    7.000000\n";
    EXPECT_EQ(read("short.dat", file, 1, "{enter}"), 2);
    EXPECT_EQ(dset.NPTS(1), 10);
    EXPECT_EQ(Y(7, 1), 7.0f);
    EXPECT_EQ(Y(8, 1), 0.0f);
    EXPECT_EQ(Y(11, 1), 42.0f);
    EXPECT_EQ(dset.IFORM, 1);
    EXPECT_EQ(message_row(), "Reading DATRA data .....unexpected end of data - hit Enter");
}

TEST_F(RdfileDatra, CrlfFileReadsLikeUnixFile) {
    std::string file = "crlf\n" + datra_counts(12, "1.0") + datra_texts("(5f12.6)", "volt", "sec") + kTwelve;
    std::string dos;
    for (const char c : file) dos += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(read("dos.dat", dos), 0);
    EXPECT_EQ(dset.NPTS(1), 12);
    EXPECT_EQ(dset.TUNIT.str(), "sec");
    EXPECT_EQ(Y(12, 1), 12.0f);
}

// Files that are not DATRA go on to the next attempts; the last message
// shown tells how far they came.
TEST_F(RdfileDatra, FilesThatAreNotDatraFallThrough) {
    struct Case {
        const char* name;
        std::string content;
        INTEGER status;
        INTEGER iform;
        const char* last_message;
    } cases[] = {
        {"fmt.dat", "title\n" + datra_counts(5, "1.0") + datra_texts("5f12.6", "volt", "sec"), 1, 3,
         "List not read: line 3 is not a time and a value - hit Enter"},
        {"bad.fmt", "title\n" + datra_counts(2, "1.0") + datra_texts("(2q5.1)", "volt", "sec") + "  1.0  2.0\n", 1, 3,
         "List not read: line 3 is not a time and a value - hit Enter"},
        {"list.dat", "1 2.5\n3 4.5\n", 0, 4, "Reading GGP data ..."},
    };
    for (const auto& c : cases) {
        dset.IFORM = 3;
        EXPECT_EQ(read(c.name, c.content, 1, c.status == 1 ? "{enter}" : ""), c.status) << c.name;
        EXPECT_EQ(dset.IFORM, c.iform) << c.name;
        EXPECT_EQ(message_row(), c.last_message) << c.name;
    }
    EXPECT_EQ(dset.NPTS(1), 2);
    EXPECT_EQ(Y(2, 1), 4.5f);
}

// Once line 3 holds a usable format list the file is a DATRA file: its
// failures are told with their line and the file is tried as nothing else.
TEST_F(RdfileDatra, DatraFileReportsItsOwnFailure) {
    std::string samples;
    for (int i = 1; i <= 40; ++i) samples += i == 33 ? "  98x.000000\n" : "   98.000000\n";
    const struct {
        const char* name;
        std::string content;
        const char* message;
    } cases[] = {
        {"abc.dat", "title\n         4         abc\n" + datra_texts("(2f5.1)", "volt", "sec") + "  1.0  2.0\n",
         "DATRA file not read: line 2 is no count (I10) and interval (G12.5) - hit Enter"},
        {"p24001.dat", "title\n99999999999         1.0\n" + datra_texts("(2f5.1)", "volt", "sec") + "  1.0  2.0\n",
         "DATRA file not read: line 2 is no count (I10) and interval (G12.5) - hit Enter"},
        {"deep.dat", "title\n" + datra_counts(40, "1.0") + datra_texts("(f12.6)", "volt", "sec") + samples,
         "DATRA file not read: sample 33 in line 36 is not a number - hit Enter"},
        {"g24001.dat", "title\n" + datra_counts(2, "1.0") + datra_texts("(2f5.1)", "volt", "sec") + "  1.0  2.x\n",
         "DATRA file not read: sample 2 in line 4 is not a number - hit Enter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dset.IFORM = 3;
        EXPECT_EQ(read(c.name, c.content, 1, "{enter}"), 1);
        EXPECT_EQ(message_row(), c.message);
        EXPECT_EQ(dset.IFORM, 3);  // as on entry
    }
    EXPECT_EQ(dset.NPTS(1), 1);  // the samples the file delivered
}

TEST_F(RdfileDatra, MissingFileIsNotRead) {
    dset.IFORM = 2;
    EXPECT_EQ(read_named("nowhere.dat"), 1);
    EXPECT_EQ(dset.IFORM, 2);
}

TEST_F(RdfileDatra, NameIsLeftAdjustedForEveryAttempt) {
    dir.write("lead.dat", "1 5\n2 6\n");
    EXPECT_EQ(read_named("   lead.dat"), 0);
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(1), 2);
}

// VELK gravity: second of the day and 10 values a record.
std::string velk_gravity(int records, int first_second = 0) {
    std::string s;
    char buf[160];
    for (int r = 0; r < records; ++r) {
        std::snprintf(buf, sizeof buf, "%d 1.%d 2 3 4 5 6 7 8 9 %d\n", first_second + 10 * r, r % 10, r);
        s += buf;
    }
    return s;
}

TEST_F(RdfileVelk, GravityDay) {
    EXPECT_EQ(read("g24123.dat", velk_gravity(8640)), 0);
    EXPECT_EQ(dset.IFORM, 2);
    EXPECT_EQ(dset.NPTS(1), 86400);
    EXPECT_EQ(Y(86400, 1), 8639.0f);
    EXPECT_EQ(Y(11, 1), 1.1f);
    EXPECT_EQ(dset.DT(1), 1.0f);
    EXPECT_EQ(dset.DUNIT(1).str(), "volt");
    EXPECT_EQ(dset.TUNIT.str(), "sec");
    EXPECT_EQ(dset.TITLE(1).str(), "g24123.dat");
    EXPECT_EQ(dset.LTITLE(1), 10);
    EXPECT_EQ(message_row(), "Reading VELK gravity ...");
}

TEST_F(RdfileVelk, EarlyClosingRecordCountsOnlyItsValues) {
    Y(31, 1) = 5.0f;
    EXPECT_EQ(read("g24124.dat", velk_gravity(2) + "86390 1 2 3 4 5 6 7 8 9 10\nnot read\n"), 0);
    // The closing record goes to its second: the seconds between are missing.
    EXPECT_EQ(dset.NPTS(1), 86400);
    EXPECT_EQ(Y(86400, 1), 10.0f);
    EXPECT_TRUE(std::isnan(Y(21, 1)));
    EXPECT_TRUE(std::isnan(Y(86390, 1)));
    EXPECT_EQ(dset.missing(1), 86400 - 30);
}

TEST_F(RdfileVelk, PressureDay) {
    std::string file;
    for (int r = 0; r < 1440; ++r) file += std::to_string(60 * r) + " 1 1000.5 2 1001 3 1002 4 1003 5 1004 6 1005\n";
    EXPECT_EQ(read("p24123.dat", file, 2), 0);
    EXPECT_EQ(dset.NPTS(2), 8640);
    EXPECT_EQ(Y(1, 2), 1000.5f);
    EXPECT_EQ(Y(8640, 2), 1005.0f);
    // Ten seconds apart: one day on every axis.
    EXPECT_EQ(dset.TUNIT.str(), "sec");
    EXPECT_EQ(dset.DT(2), 10.0f);
    EXPECT_EQ(dset.interval_seconds(2), 10.0);
    EXPECT_EQ(message_row(), "Reading VELK pressure ...");
}

// A VELK file that ends before its closing record is a VELK day with the
// rest missing; a record that cannot be read refuses it with its line.
TEST_F(RdfileVelk, DayEndingEarlyIsStillVelk) {
    EXPECT_EQ(read("g24125.dat", velk_gravity(3), 1, "{enter}"), 0);
    EXPECT_EQ(message_row(), "VELK day ends at 00:00:30, the rest is missing - hit Enter");
    EXPECT_EQ(dset.IFORM, 2);
    EXPECT_EQ(dset.NPTS(1), 86400);
    EXPECT_EQ(dset.missing(1), 86400 - 30);
    EXPECT_EQ(read("g24125.dat", velk_gravity(4) + "40 1 2 3 x 5 6 7 8 9 10\n" + velk_gravity(3), 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "VELK file not read: line 5 is not a second and 10 values - hit Enter");
    // The second of day must be an integer; the list attempt then refuses a
    // single line of many values.
    EXPECT_EQ(read("g24126.dat", "0.0 1 2 3 4 5 6 7 8 9 10\n", 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "List not read: line 1 holds more than one time and value - hit Enter");
    // A list whose name begins with p or g is no VELK file.
    EXPECT_EQ(read("pairs.txt", "1 2\n3 4\n5 6\n7 8\n9 10\n11 12\n13 14\n"), 0);
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(1), 7);
}

// The closing record ends the day at exactly its samples, on the grid or not.
TEST_F(RdfileVelk, ClosingRecordEndsTheDay) {
    EXPECT_EQ(read("g24128.dat", velk_gravity(8639) + "86395 1 2 3 4 5 6 7 8 9 10\n"), 0);
    EXPECT_EQ(dset.NPTS(1), 86400);
    EXPECT_EQ(Y(86396, 1), 1.0f);
    EXPECT_EQ(Y(86400, 1), 5.0f);
    std::string file;
    for (int r = 0; r < 1439; ++r) file += std::to_string(60 * r) + " 1 1 2 2 3 3 4 4 5 5 6 6\n";
    EXPECT_EQ(read("p24128.dat", file + "86345 1 7 2 8 3 9 4 10 5 11 6 12\n"), 0);
    EXPECT_EQ(dset.NPTS(1), 8640);
    EXPECT_EQ(Y(8640, 1), 12.0f);
}

TEST_F(RdfileVelk, OnlyLowerCaseLetterFirstInTheBaseNameSelectsVelk) {
    const struct {
        const char* name;
        INTEGER iform;
    } cases[] = {{"G24123.dat", 4}, {"sub/g24123.dat", 2}, {"g.d/x24123.dat", 4}, {"sub/G24123.dat", 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(read(c.name, velk_gravity(8640)), 0);
        EXPECT_EQ(dset.IFORM, c.iform) << c.name;
    }
}

TEST_F(RdfileList, PairsAndTheirEdges) {
    Y(3, 2) = 77.0f;
    dset.DT(1) = 5.0f;
    EXPECT_EQ(read("list.txt", "1 10.5\n2,11.5 extra ignored\n3,,\n4;12.5\n\n5\tNaN\r\n", 2), 0);
    EXPECT_EQ(dset.IFORM, 4);
    EXPECT_EQ(dset.NPTS(2), 5);
    EXPECT_EQ(Y(1, 2), 10.5f);
    EXPECT_EQ(Y(2, 2), 11.5f);
    EXPECT_TRUE(std::isnan(Y(3, 2)));  // empty value: missing, not the old sample
    EXPECT_EQ(Y(4, 2), 12.5f);
    EXPECT_TRUE(std::isnan(Y(5, 2)));
    EXPECT_EQ(dset.missing(2), 2);
    EXPECT_TRUE(dset.TITLE(2).is_blank());
    EXPECT_EQ(dset.LTITLE(2), 0);
    EXPECT_EQ(dset.DT(2), 1.0f);
    EXPECT_EQ(dset.DT(1), 5.0f);
    EXPECT_EQ(dset.DUNIT(2).str(), "no unit");
    EXPECT_EQ(dset.TUNIT.str(), "no unit");
}

TEST_F(RdfileList, BadValueIsNotRead) {
    dset.IFORM = 1;
    struct Case {
        const char* content;
        const char* message;
    } cases[] = {
        {"1 2\n3 4\nfive 6\n", "List not read: line 3 is not a time and a value - hit Enter"},
        {"1 2\n3 4\n5 6x\n", "List not read: line 3: \"6x\" is not a number - hit Enter"},
        {"1 2\n3 4\n5\n", "List not read: line 3 has no value after its time - hit Enter"},
        {"only text\nand more\n", "List not read: no line holds a time and a value - hit Enter"},
    };
    for (const auto& c : cases) {
        dset.IFORM = 1;
        dset.NPTS(1) = 9;
        EXPECT_EQ(read("bad.txt", c.content, 1, "{enter}"), 1);
        EXPECT_EQ(message_row(), c.message);
        EXPECT_EQ(dset.IFORM, 1);
        EXPECT_EQ(dset.NPTS(1), c.message[15] == 'n' ? 9 : 2);
    }
}

TEST_F(RdfileList, AListWrittenAsOneLongLineIsRefusedNotCut) {
    std::string file;
    for (int i = 1; i <= 100000; ++i) file += std::to_string(i) + " " + std::to_string(i % 7) + " ";
    EXPECT_EQ(read("one_line.txt", file + "\n", 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "List not read: line 1 holds more than one time and value - hit Enter");
    // A logger line with one more column is still one sample.
    EXPECT_EQ(read("three.csv", "t,p,temp\n1,2.5,20\n", 1, ""), 0);
    EXPECT_EQ(dset.NPTS(1), 1);
}

TEST_F(RdfileList, MoreThanSixMillionPairsAreRefused) {
    std::string file;
    file.reserve(4 * (MAXPTS + 1));
    for (int i = 0; i <= MAXPTS; ++i) file += "0 1\n";
    EXPECT_EQ(read("long.txt", file, 1, "{enter}"), 1);
    EXPECT_EQ(message_row(), "File too large for DATRAX, recompile...");
    EXPECT_EQ(dset.NPTS(1), MAXPTS);
}

// A line far longer than any buffer is read whole: 800,000 samples on one
// 9.6 MB line all arrive, none of them turned into zeros.
TEST_F(RdfileDatra, OneVeryLongLineIsReadWhole) {
    constexpr int kN = 800000;
    std::string file = "one line\n" + datra_counts(kN, "1.0") + datra_texts("(800000F12.3)", "volt", "sec");
    char value[16];
    for (int i = 1; i <= kN; ++i) {
        std::snprintf(value, sizeof value, "%12.3f", static_cast<double>(i % 1000 + 1));
        file += value;
    }
    file += "\n";
    EXPECT_EQ(read("long.dat", file), 0);
    ASSERT_EQ(dset.NPTS(1), kN);
    int wrong = 0;
    for (int i = 1; i <= kN; ++i) wrong += Y(i, 1) != static_cast<float>(i % 1000 + 1);
    EXPECT_EQ(wrong, 0);
}

// An input that cannot be read on after its second line (a line too long,
// a read error): what was read is never passed for the whole file.
class FailingLines : public TextLines {
public:
    using TextLines::TextLines;
    bool next_line(std::string_view& line) override { return ++taken_ <= 2 && TextLines::next_line(line); }
    std::string_view next_block() override { return {}; }
    bool failed() const override { return taken_ > 2; }
    bool rewind() override {
        taken_ = 0;
        return TextLines::rewind();
    }

private:
    int taken_ = 0;
};

TEST_F(RdfileList, AnInputThatFailsIsRefusedWithItsName) {
    dset.IFORM = 2;
    dset.FNAME(1) = "cut.txt";
    FailingLines in("1 2\n3 4\n5 6\n", "cut.txt");
    INTEGER status = 0;
    screen.keys("{enter}");
    read_data(in, 1, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(message_row(), "Line too long or unreadable : cut.txt");
    EXPECT_EQ(dset.IFORM, 2);
}

// A FIFO or a device named as a data file is refused at once, with its
// name, and the slot keeps what it held.
TEST_F(RdfileDatra, NotARegularFileIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo("pipe.dat", 0600), 0);
    dset.NPTS(1) = 7;
    dset.IFORM = 3;
    for (const char* name : {"pipe.dat", "/dev/zero", "/dev/urandom"}) {
        EXPECT_EQ(read_named(name, 1, "{enter}"), 1) << name;
        EXPECT_EQ(message_row(), std::string("Not a regular file : ") + name);
        EXPECT_EQ(dset.NPTS(1), 7);
        EXPECT_EQ(dset.IFORM, 3);
    }
}

}  // namespace
}  // namespace datrax
