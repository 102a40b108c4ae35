// Positioned text output, mark-up and the text helpers.
#include <gtest/gtest.h>

#include "app/state.h"
#include "console/console.h"
#include "platform/run_stop.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Screen;

constexpr std::string_view kMainMenuText =
    " D - DATA      Read Data File~, ~ C - CHANGE    Parameters ~, ~ G - GRAPHICS  Profile/Filenames ~, ~ N - "
    "NDSETS    Number of Data Sets ~, ~ F - FILE      Filenames Loaded~, ~ S - STYLE     Style for Multiple "
    "Plots ~, ~ ---------------------------------------------~, ~ Q - QUIT      Quit Program|";

TEST(MsgTxt, MultiLineTextGivesOneRowPerLineAndSkipsFiller) {
    Screen s;
    MSGTXT(5, 3, kMainMenuText, 15);
    EXPECT_EQ(s.row(2), "");
    EXPECT_EQ(s.row(3), "      D - DATA      Read Data File");
    EXPECT_EQ(s.row(4), "      C - CHANGE    Parameters");
    EXPECT_EQ(s.row(9), "      ---------------------------------------------");
    EXPECT_EQ(s.row(10), "      Q - QUIT      Quit Program");
    EXPECT_EQ(s.row(11), "");
}

TEST(MsgTxt, NegativeRowBlanksTheRowFromTheColumnFirst) {
    Screen s;
    MSGTXT(0, scr.MAXROW, "old text that is rather long|", 15);
    MSGTXT(4, -scr.MAXROW, "new|", 15);
    EXPECT_EQ(s.row(scr.MAXROW), "old new");
}

TEST(MsgTxt, NegativeColumnContinuesAtTheCursor) {
    Screen s;
    MSGTXT(2, 1, "abc|", 15);
    MSGTXT(-1, 7, "def|", 15);
    EXPECT_EQ(s.row(1), "  abcdef");
    EXPECT_EQ(s.row(7), "");
}

TEST(MsgTxt, OverlongLineAndUnpairedLineEndAreHandledSafely) {
    Screen s;
    MSGTXT(0, 1, std::string(81, 'x') + "|", 15);
    EXPECT_EQ(s.row(1), "");
    MSGTXT(0, 2, "first~ no second tilde|", 15);
    EXPECT_EQ(s.row(2), "first");
    EXPECT_EQ(s.row(3), "");
}

TEST(Attributes, ColourAttributeSplitsAndIsRestoredAfterEveryRoutine) {
    Screen s;
    s.canvas().set_text_color(7);
    s.canvas().set_bk_color(1);
    MSGTXT(0, 0, "X|", 16 * 4 + 14);
    EXPECT_EQ(s.canvas().text_color(), 7);
    EXPECT_EQ(s.canvas().bk_color(), 1);
    // The cell of X: background 4 in its corner, some yellow (14) pixel inside.
    EXPECT_EQ(s.canvas().pixel(0, 0), 4);
    bool yellow = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) yellow |= s.canvas().pixel(x, y) == 14;
    EXPECT_TRUE(yellow);
    MSGTXT(0, 1, "Y|", 12);  // below 16: text colour on the current background
    EXPECT_EQ(s.canvas().pixel(0, 16), 1);
}

TEST(Cblank, RectangleRulesAndPositionOnly) {
    Screen s;
    MSGTXT(0, 2, "0123456789|", 15);
    MSGTXT(0, 3, "0123456789|", 15);
    cblank(2, 2, 4, 3, 2);
    EXPECT_EQ(s.row(2), "01   56789");
    EXPECT_EQ(s.row(3), "01   56789");
    EXPECT_EQ(s.canvas().pixel(2 * 8, 2 * 16), 2);
    INTEGER x = -1, y = -1;
    TXTPOS(x, y);
    EXPECT_EQ(y, 3);  // cursor at (2, 2), reported 1-based
    EXPECT_EQ(x, 3);

    // Y2 = 0 with Y1 >= 0 only positions: nothing blanked, background kept.
    s.canvas().set_bk_color(3);
    cblank(6, 3, 9, 0, 5);
    EXPECT_EQ(s.row(3), "01   56789");
    EXPECT_EQ(s.canvas().bk_color(), 3);

    // Y2 < Y1 and X2 < X1 are ignored.
    cblank(0, 3, 9, 2, 0);
    cblank(5, 2, 4, 3, 0);
    EXPECT_EQ(s.row(3), "01   56789");

    // Y1 = 0 with Y2 < 0 is row 0 alone.
    MSGTXT(0, 0, "header|", 15);
    cblank(0, 0, 3, -1, 0);
    EXPECT_EQ(s.row(0), "    er");
}

TEST(Cblank, OutsideTheWindowIsTheFatalError) {
    Screen s;
    try {
        cblank(0, 0, scr.MAXCOL + 1, 2, 0);
        FAIL() << "expected a fatal stop";
    } catch (const RunStop& stop) {
        EXPECT_EQ(stop.reason, RunStop::Reason::Fatal);
        EXPECT_EQ(stop.message, "cblank error");
    }
}

TEST(LabelledValues, ShowRoutines) {
    Screen s;
    SHOWIN(0, 1, "Points: |", 6000000, 15);
    SHOWRL(0, 2, "Interval: |", 2.5f, 3, 15);
    SHOWRL(0, 3, "Only label|", 2.5f, -2, 15);
    SHOWLG(0, 4, "Flag |", true, 15);
    SHOWTX(0, 5, "Name: |", "abcdef", 3, 15);
    SHOWTX(0, 6, "Empty: |", "abcdef", 0, 15);
    EXPECT_EQ(s.row(1), "Points: 6000000");
    EXPECT_EQ(s.row(2), "Interval: 2.500");
    EXPECT_EQ(s.row(3), "Only label");
    EXPECT_EQ(s.row(4), "Flag T");
    EXPECT_EQ(s.row(5), "Name: abc");
    EXPECT_EQ(s.row(6), "Empty:");
}

TEST(PutChr, CarriageReturnIsOneBlankAndBackspaceErases) {
    Screen s;
    MSGTXT(0, 1, "ab|", 15);
    PUTCHR(13, 15);
    PUTCHR('c', 15);
    EXPECT_EQ(s.row(1), "ab c");
    PUTCHR(8, 15);
    PUTCHR(8, 15);
    PUTCHR('d', 15);
    EXPECT_EQ(s.row(1), "abd");
    EXPECT_EQ(s.row(2), "");
}

TEST(Lentxt, TrimmedLengthAndLeftJustification) {
    Text<40> blank;
    EXPECT_EQ(LENTXT(blank, 40), 0);
    EXPECT_EQ(LENTXT(blank, -40), 1);
    EXPECT_EQ(LENTXT(blank, 0), 0);

    Text<40> name("   abc");
    EXPECT_EQ(LENTXT(name, -40), 3);
    EXPECT_EQ(name, Text<40>("abc"));

    Text<40> inner(" a b  ");
    EXPECT_EQ(LENTXT(inner, 40), 4);
    EXPECT_EQ(inner, Text<40>(" a b"));
}

TEST(CaseConversion, OnlyTheFirstNCharacters) {
    Text<8> t("aBcDeF");
    UPCAS(t, 3);
    EXPECT_EQ(t, Text<8>("ABCDeF"));
    LOWCAS(t, 8);
    EXPECT_EQ(t, Text<8>("abcdef"));
}

TEST(Setext, ExtensionRules) {
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"DATA.TXT", "DATA.plt"},
        {"FILE", "FILE.plt"},
        {"A.B", "A.plt"},
        {"g24123.dat", "g24123.plt"},
        {"../x", "../x.plt"},
        {"dir.d/x", "dir.d/x.plt"},
        {"dir.d\\x", "dir.d\\x.plt"},
        {"archive.tar.gz", "archive.tar.plt"},
        {"1234567890123456789012345678901234567890", "123456789012345678901234567890123456.plt"},
        {"12345678901234567890123456789012345678.d", "123456789012345678901234567890123456.plt"},
    };
    for (const Case& c : cases) {
        Text<40> name(c.name);
        SETEXT(name, "plt");
        EXPECT_EQ(name.trimmed(), c.expected) << c.name;
    }
    // A file name's text takes any path: nothing is cut.
    const std::string long_name = std::string(200, 'd') + "/station_bf_march_2024_gravity_residual_v2";
    FileName name(long_name + ".dat");
    SETEXT(name, "plt");
    EXPECT_EQ(name.trimmed(), long_name + ".plt");
}

// A name -> what a field of WIDTH columns shows.
TEST(ShownName, ShortenedFromTheLeftOnlyWhenLonger) {
    const struct {
        std::string_view name;
        size_t width;
        std::string_view shown;
    } rows[] = {
        {"g24123.dat", 20, "g24123.dat"},
        {"g24123.dat  ", 10, "g24123.dat"},
        {"g24123.dat  ", 12, "g24123.dat  "},  // a fitting text stays as it stands
        {"/home/user/data/g24123.dat", 16, "...ta/g24123.dat"},
        {"/home/user/data/g24123.dat   ", 16, "...ta/g24123.dat"},  // trailing blanks are not the name
        {"abcdef", 3, "def"},
        {std::string_view("\0\0\0\0", 4), 2, std::string_view("\0\0", 2)},  // an unset name stays as it stands
    };
    for (const auto& r : rows) EXPECT_EQ(shown_name(r.name, r.width), r.shown) << r.name;
}

TEST(ShowName, TheNameEndsBeforeTheRoomLeftAfterIt) {
    Screen s;  // 80 columns
    const std::string name = std::string(100, 'd') + "/bf240301.ggp";
    show_name(0, 2, "File not found: |", name, static_cast<INTEGER>(name.size()), 15);
    EXPECT_EQ(s.row(2), "File not found: ..." + std::string(48, 'd') + "/bf240301.ggp");
    show_name(0, -2, "Save to |", name, static_cast<INTEGER>(name.size()), 15, 14);
    PUTTXT("? [y/n] --> y", 15, 0);
    EXPECT_EQ(s.row(2), "Save to ..." + std::string(42, 'd') + "/bf240301.ggp? [y/n] --> y");
    show_name(0, -2, "Save to |", "short.plt", 9, 15, 14);
    EXPECT_EQ(s.row(2), "Save to short.plt");
}

TEST(ConsoleLine, GoesBelowTheCursorAndToStandardError) {
    Screen s;
    MSGTXT(3, 4, "x|", 15);
    console_line("a line of output");
    EXPECT_EQ(s.row(5), "a line of output");
    ASSERT_EQ(s.window().console_lines().size(), 1u);
    MSGTXT(0, scr.MAXROW, "bottom|", 15);
    console_line("last");
    EXPECT_EQ(s.row(scr.MAXROW), "lastom");
}

}  // namespace
}  // namespace datrax
