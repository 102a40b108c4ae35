#include "records/fixed_read.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace datrax {
namespace {

struct RealCase {
    const char* name;
    const char* format;
    const char* input;
    size_t count;
    ReadOutcome outcome;
    std::vector<float> values;  // the values stored
    const char* next_line;      // where the following read would start
};

TEST(FixedRead, RealsAcrossLinesWithReversion) {
    const RealCase cases[] = {
        {"five a line",
         "(5f12.6)",
         "    1.000000    2.000000    3.000000    4.000000    5.000000\n"
         "    6.000000    7.000000    8.000000    9.000000   10.000000\n"
         "   11.000000   12.000000\n"
         "next\n",
         12,
         ReadOutcome::Done,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
         "next"},
        {"reversion to the last group",
         "(2x,3(f10.4))",
         "xx    1.0000    2.0000    3.0000    99.000\n"
         "    4.0000    5.0000    6.0000    99.000\n"
         "    7.0000\n"
         "next\n",
         7,
         ReadOutcome::Done,
         {1, 2, 3, 4, 5, 6, 7},
         "next"},
        {"reversion to a group with items behind it",
         "(f3.0,2(f2.0),f4.0)",
         "  1 2 3  4\n 5 6   7\n 8\n",
         7,
         ReadOutcome::Done,
         {1, 2, 3, 4, 5, 6, 7},
         nullptr},
        {"short lines pad with blanks",
         "(3f5.1)",
         "  1.5\n\n  2.5  3.5\nnext\n",
         9,
         ReadOutcome::Done,
         {1.5f, 0, 0, 0, 0, 0, 2.5f, 3.5f, 0},
         "next"},
        {"implied point",
         "(2f10.6)",
         "   1234567 -12345678\n",
         2,
         ReadOutcome::Done,
         {1.234567f, -12.345678f},
         nullptr},
        {"crlf line ends",
         "(2f6.2)",
         "  1.25  2.50\r\n  3.75\r\n",
         3,
         ReadOutcome::Done,
         {1.25f, 2.5f, 3.75f},
         nullptr},
        {"end of file midway",
         "(5f4.1)",
         " 1.0 2.0 3.0 4.0 5.0\n 6.0\n",
         12,
         ReadOutcome::End,
         {1, 2, 3, 4, 5, 6, 0, 0, 0, 0},
         nullptr},
        {"bad character", "(3f5.1)", "  1.0  2.x  3.0\n", 3, ReadOutcome::Error, {1}, nullptr},
        {"an integer descriptor cannot fill a real", "(f5.1,i5)", "  1.0    2\n", 2, ReadOutcome::Error, {1}, nullptr},
        {"empty input", "(f5.1)", "", 1, ReadOutcome::End, {}, nullptr},
        {"reversion with no data descriptor", "(f3.0,2(1x))", "  1\n  2\n", 2, ReadOutcome::Error, {1}, "  2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FormatList fmt(c.format);
        ASSERT_TRUE(fmt.ok()) << fmt.error();
        TextLines in(c.input);
        std::vector<float> got(c.count, 0.0f);
        size_t stored = 0;
        EXPECT_EQ(read_fixed_reals(in, fmt, got.data(), got.size(), stored), c.outcome);
        ASSERT_EQ(stored, c.values.size());
        for (size_t i = 0; i < c.values.size(); ++i) EXPECT_EQ(got[i], c.values[i]) << "value " << i + 1;
        if (c.next_line) {
            std::string_view line;
            ASSERT_TRUE(in.next_line(line));
            EXPECT_EQ(line, c.next_line);
        }
    }
}

TEST(FixedRead, GgpDataLineWithBlankValues) {
    const FormatList fmt("(I4,2X,I2,1X,3I2,2F10.6)");
    INTEGER year = -1, day = -1, hour = -1, minute = -1, second = -1;
    REAL v1 = -1, v2 = -1;
    const FieldRef fields[] = {year, day, hour, minute, second, v1, v2};
    TextLines in("19970101 120000\n");
    EXPECT_EQ(read_fixed(in, fmt, fields), ReadOutcome::Done);
    EXPECT_EQ(year, 1997);
    EXPECT_EQ(day, 1);
    EXPECT_EQ(hour, 12);
    EXPECT_EQ(minute, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(v1, 0.0f);
    EXPECT_EQ(v2, 0.0f);
}

TEST(FixedRead, TextAndMixedFields) {
    Text<80> title;
    INTEGER n = 0;
    REAL dt = 0;
    Text<20> format, dunit;
    Text<20> tunit("old");
    TextLines in("  Station X gravity  \n   86400        60\n   (5f12.6)         MBAR                Hour\n");
    const FieldRef line1[] = {title.ref()};
    const FieldRef line2[] = {n, dt};
    const FieldRef line3[] = {format.ref(), dunit.ref(), tunit.ref()};
    const FormatList a("(A)"), counts("(I10,G12.5)"), texts("(3A20)");
    EXPECT_EQ(read_fixed(in, a, line1), ReadOutcome::Done);
    EXPECT_EQ(title.str(), "  Station X gravity");
    EXPECT_EQ(read_fixed(in, counts, line2), ReadOutcome::Done);
    EXPECT_EQ(n, 86400);
    EXPECT_EQ(dt, 0.0006f);  // no point written: scaled by 10^-5
    EXPECT_EQ(read_fixed(in, texts, line3), ReadOutcome::Done);
    EXPECT_EQ(format.str(), "   (5f12.6)");
    EXPECT_EQ(dunit.str(), "MBAR");
    EXPECT_EQ(tunit.str(), "Hour");

    // Aw wider than the text keeps its first characters; A takes the text's length.
    Text<3> id;
    Text<5> rest;
    TextLines in2("abcdefghij\n");
    const FieldRef f2[] = {id.ref(), rest.ref()};
    EXPECT_EQ(read_fixed(in2, FormatList("(A6,A)"), f2), ReadOutcome::Done);
    EXPECT_EQ(id.str(), "abc");
    EXPECT_EQ(rest.str(), "ghij");

    // Kinds must match: a text cannot take an F field, a REAL no A field.
    REAL r = 0;
    TextLines in3("abc\nabc\n");
    const FieldRef f3[] = {id.ref()}, f4[] = {r};
    EXPECT_EQ(read_fixed(in3, FormatList("(f3.0)"), f3), ReadOutcome::Error);
    EXPECT_EQ(read_fixed(in3, FormatList("(a3)"), f4), ReadOutcome::Error);
}

TEST(FixedRead, ReadOfNoFieldsUsesNoLineAndBrokenListIsAnError) {
    TextLines in("only\n");
    EXPECT_EQ(read_fixed(in, FormatList("(f5.1)"), {}), ReadOutcome::Done);
    REAL r = 0;
    const FieldRef f[] = {r};
    EXPECT_EQ(read_fixed(in, FormatList("(f5.1"), f), ReadOutcome::Error);
    std::string_view line;
    ASSERT_TRUE(in.next_line(line));
    EXPECT_EQ(line, "only");
}

// Huge repeat counts and skips finish as soon as the values are in.
TEST(FixedRead, HugeCountsStayBounded) {
    const FormatList fmt("(999999999(999999999(999999999x),f5.1),f5.1)");
    ASSERT_TRUE(fmt.ok());
    TextLines in("  1.5\n  2.5\n");
    REAL v[2] = {9, 9};
    size_t stored = 0;
    EXPECT_EQ(read_fixed_reals(in, FormatList("(999999999f5.1)"), v, 2, stored), ReadOutcome::Done);
    EXPECT_EQ(v[0], 1.5f);
    EXPECT_EQ(v[1], 0.0f);
    // Both fields lie far beyond the end of the one line used: blanks.
    TextLines in2("  1.5\nnext\n");
    EXPECT_EQ(read_fixed_reals(in2, fmt, v, 2, stored), ReadOutcome::Done);
    EXPECT_EQ(v[0], 0.0f);
    EXPECT_EQ(v[1], 0.0f);
    std::string_view line;
    ASSERT_TRUE(in2.next_line(line));
    EXPECT_EQ(line, "next");
}

}  // namespace
}  // namespace datrax
