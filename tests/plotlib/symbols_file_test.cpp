// Texts and markers in plot files: golden files for each record kind, and
// the rules of trimming, continuation, bold passes and errors.
#include <gtest/gtest.h>

#include <string>

#include "plot_fixture.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax::testing {
namespace {

using Lines = std::vector<std::string>;

class SymbolsFile : public PlotTest {
protected:
    std::string last_console_line() { return screen_.window().console_lines().back(); }
    // The records after the plot start, without the closing " SP;".
    Lines drawn(const char* name) {
        close_plot(name);
        const Lines lines = file_lines(name);
        return Lines(lines.begin() + 3, lines.end() - 1);
    }
    static std::string label(std::string_view text) {
        std::string record = " LB";
        record.append(text);
        record.append("\x03;");
        if (record.size() < 103) record.resize(103, ' ');
        return record;
    }
};

TEST_F(SymbolsFile, Text) {
    open_plot("text.plt");
    PLTSYM(1.0f, 6.5f, 0.14f, "Hello", 0.0f, 5);
    PLTSYM(999.0f, 999.0f, 0.14f, ", world", 0.0f, 7);  // continues after "Hello"
    PLTSYM(1.0f, 6.0f, 0.2f, "trailing blanks   ", 0.0f, 18);
    PLTSYM(1.0f, 5.5f, 0.1f, " ", 0.0f, 1);
    PLTSYM(999.0f, 999.0f, 0.1f, "after one blank", 0.0f, 15);
    PLTSTY(0, -1, -1, 0, 0.2f);  // forced height
    PLTSYM(1.0f, 5.0f, 0.05f, "forced 0.2", 0.0f, 10);
    PLTSTY(0, -1, -1, 0, 0.0f);
    PLTSYM(1.0f, 4.0f, 0.14f, "Slanted 30", 30.0f, 10);
    close_plot("text.plt");
    expect_golden_plot("text.plt");
}

TEST_F(SymbolsFile, Markers) {
    open_plot("markers.plt");
    for (int code = 0; code <= 32; ++code) {
        const char ch = static_cast<char>(code);
        PLTSYM(0.5f + 0.28f * static_cast<REAL>(code), 5.0f, 0.1f, {&ch, 1}, 0.0f, -1);
    }
    PENMOV(1.0f, 2.0f, 3);
    PLTSYM(3.0f, 3.0f, 0.15f, "\x04", 0.0f, -2);  // a line to the marker first
    PLTSYM(5.0f, 3.0f, 0.15f, "A", 0.0f, -1);     // a printable character by symbol mode
    PLTSYM(7.0f, 3.0f, 0.15f, "\x7f", 0.0f, -1);  // no plotter symbol for code 127
    close_plot("markers.plt");
    expect_golden_plot("markers.plt");
}

TEST_F(SymbolsFile, BoldTextAndMarker) {
    open_plot("bold.plt");
    PLTSYM(1.0f, 5.0f, -0.15f, "Bold", 0.0f, 4);
    PLTSYM(1.0f, 3.0f, -0.06f, "\x01", 0.0f, -1);
    close_plot("bold.plt");
    expect_golden_plot("bold.plt");
}

TEST_F(SymbolsFile, CentredText) {
    open_plot("centred.plt");
    PLTSYM(3.0f, 6.0f, 0.2f, "TITLE^", 0.0f, 6);
    PLTSYM(7.0f, 5.0f, 0.2f, "TITLE^   ", 0.0f, 9);
    close_plot("centred.plt");
    expect_golden_plot("centred.plt");
    const Lines lines = file_lines("centred.plt");
    EXPECT_EQ(lines[5], " PU  4696,  6336;");  // x = (10 - 5 x 0.2) / 2 = 4.5 whatever X was
    EXPECT_EQ(lines[6], label("TITLE"));
    EXPECT_EQ(lines[9], " PU  4696,  5313;");
}

TEST_F(SymbolsFile, TextAtNinetyDegrees) {
    open_plot("text90.plt");
    PLTSYM(5.0f, 1.0f, 0.2f, "Up", 90.0f, 2);
    PLTSYM(999.0f, 999.0f, 0.2f, "ward", 90.0f, 4);  // continues 2 x 0.2 higher
    close_plot("text90.plt");
    expect_golden_plot("text90.plt");
    const Lines lines = file_lines("text90.plt");
    EXPECT_EQ(lines[4], " DI 0.00000, 1.00000;");
    EXPECT_EQ(lines[5], " PU  5207,  1222;");
    EXPECT_EQ(lines[9], " PU  5207,  1631;");
}

TEST_F(SymbolsFile, MarkerFieldLeavesTheLineOpenForTheMoveBack) {
    open_plot("m4.plt");
    PLTSYM(2.0f, 2.0f, 0.1f, "\x04", 0.0f, -1);
    const Lines lines = drawn("m4.plt");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], " SI  0.16933,  0.25400;");
    EXPECT_EQ(lines[1], " DI 1.00000, 0.00000;");
    EXPECT_EQ(lines[2], " PU  2143,  2245;");
    std::string field = " UC-2,-3,99,4,6,-99,-4,0,99,4,-6;";
    field.resize(100, ' ');
    EXPECT_EQ(lines[3], field + " PU  2143,  2245;");
}

TEST_F(SymbolsFile, BoldPassesAreOffsetThreeThousandthsOfAnInch) {
    open_plot("passes.plt");
    PLTSYM(1.0f, 1.0f, -0.15f, "B", 0.0f, 1);
    const Lines lines = drawn("passes.plt");
    ASSERT_EQ(lines.size(), 2u + 2u * 6u);  // six passes
    EXPECT_EQ(lines[2], " PU  1121,  1222;");
    EXPECT_EQ(lines[4], " PU  1124,  1225;");
    EXPECT_EQ(lines[12], " PU  1136,  1238;");
}

TEST_F(SymbolsFile, LabelFieldGrowsForTheLongestTexts) {
    open_plot("long.plt");
    const std::string t98(98, 'a'), t99(99, 'b'), t100(100, 'c');
    PLTSYM(0.5f, 3.0f, 0.05f, t98, 0.0f, 98);
    PLTSYM(0.5f, 2.0f, 0.05f, t99, 0.0f, 99);
    PLTSYM(0.5f, 1.0f, 0.05f, t100, 0.0f, 100);
    const Lines lines = drawn("long.plt");
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[3], label(t98));  // exactly the 100-character field
    EXPECT_EQ(lines[7], label(t99));
    EXPECT_EQ(lines[11], label(t100));
    EXPECT_EQ(lines[11].size(), 105u);
}

TEST_F(SymbolsFile, ErrorsDrawNothing) {
    open_plot("errors.plt");
    PLTSYM(999.0f, 1.0f, 0.1f, "first", 0.0f, 5);
    EXPECT_EQ(last_console_line(), " *** Error- First label of plot. Cannot use 999 code");
    const std::string long_text(101, 'x');
    PLTSYM(1.0f, 1.0f, 0.1f, long_text, 0.0f, 101);
    EXPECT_EQ(last_console_line(), " *** Error - String length n =    101 is out of range");
    EXPECT_TRUE(drawn("errors.plt").empty());
}

}  // namespace
}  // namespace datrax::testing
