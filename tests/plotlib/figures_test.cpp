// Rectangles, grids and arrows, written into plot files.
#include "plotlib/figures.h"

#include <gtest/gtest.h>

#include "plot_fixture.h"
#include "plotlib/pen.h"
#include "plotlib/symbols.h"

namespace datrax::testing {
namespace {

using Lines = std::vector<std::string>;

class Figures : public PlotTest {
protected:
    // The records between the plot start (3 records) and the closing " SP;".
    Lines drawn(const char* name) {
        close_plot(name);
        Lines lines = file_lines(name);
        return Lines(lines.begin() + 3, lines.end() - 1);
    }
};

TEST_F(Figures, RectanglesAndGrids) {
    open_plot("figures.plt");
    RECTNG(0.5f, 0.5f, 1.0f, 2.0f, 0.0f, 3);
    RECTNG(4.0f, 0.5f, 1.0f, 2.0f, 30.0f, 3);
    RECTNG(9.0f, 0.5f, 1.0f, 2.0f, 90.0f, 3);
    PLTGRD(0.5f, 3.0f, 1.0f, 0.75f, 4, 3);
    PLTGRD(5.0f, 3.0f, 1.0f, 1.0f, 3, 2);
    PLTSTY(5, -1, -1, 0, 0.0f);
    PLTGRD(5.0f, 5.5f, 0.5f, 0.5f, 2, 1);
    PLTSTY(0, -1, -1, 0, 0.0f);
    PLTGRD(8.0f, 5.5f, 1.0f, 1.0f, 1, 1);
    close_plot("figures.plt");
    expect_golden_plot("figures.plt");
}

TEST_F(Figures, ArrowsOfEveryStyle) {
    open_plot("arrows.plt");
    for (INTEGER style = 0; style <= 9; ++style) {
        const REAL x = 0.5f + 0.9f * static_cast<REAL>(style);
        PLTARW(x, 0.5f, x + 0.5f, 2.0f, 0.3f, 0.2f, 10 + style);
        PLTARW(x, 2.5f, x + 0.5f, 4.0f, 0.3f, 0.0f, 20 + style);
        PLTARW(x, 4.5f, x + 0.5f, 6.0f, 0.3f, 0.2f, style == 0 ? 1 : style);
    }
    PENMOV(9.0f, 7.0f, 3);
    PLTARW(0.0f, 0.0f, 8.0f, 7.0f, 0.3f, 0.2f, -16);  // from the pen position
    close_plot("arrows.plt");
    expect_golden_plot("arrows.plt");
}

TEST_F(Figures, RectangleAtNinetyDegreesTurnsItsHeightTowardNegativeX) {
    open_plot("r90.plt");
    RECTNG(5.0f, 2.0f, 1.0f, 2.0f, 90.0f, 3);
    const Lines expected = {" PU  5207,  2245;", " PD  4186,  2245;", " PD  4186,  4290;", " PD  5207,  4290;",
                            " PD  5207,  2245;"};
    EXPECT_EQ(drawn("r90.plt"), expected);
}

TEST_F(Figures, GridOfOneCellIsItsFrame) {
    open_plot("g11.plt");
    PLTGRD(1.0f, 1.0f, 2.0f, 1.0f, 1, 1);
    const Lines expected = {" PU  3164,  1222;", " PD  1121,  1222;", " PD  1121,  2245;", " PD  3164,  2245;",
                            " PD  3164,  1222;"};
    EXPECT_EQ(drawn("g11.plt"), expected);
}

TEST_F(Figures, GridLinesAlternateAndTheFrameReturnsToTheLastLine) {
    open_plot("g32.plt");
    PLTGRD(1.0f, 1.0f, 1.0f, 1.0f, 3, 2);
    const Lines expected = {" PU  2143,  1222;", " PD  2143,  3268;",                       // x = 2 upward
                            " PU  3164,  3268;", " PD  3164,  1222;",                       // x = 3 downward
                            " PU  4186,  2245;", " PD  1121,  2245;",                       // y = 2 right to left
                            " PD  1121,  3268;", " PD  4186,  3268;", " PD  4186,  1222;",  // frame
                            " PD  1121,  1222;", " PD  1121,  2245;"};
    EXPECT_EQ(drawn("g32.plt"), expected);
}

TEST_F(Figures, EmptyGridDrawsNothing) {
    open_plot("g0.plt");
    PLTGRD(1.0f, 1.0f, 1.0f, 1.0f, 0, 3);
    PLTGRD(1.0f, 1.0f, 1.0f, 1.0f, 3, -1);
    EXPECT_TRUE(drawn("g0.plt").empty());
}

TEST_F(Figures, ArrowWithOneClosedHead) {
    open_plot("a11.plt");
    PLTARW(1.0f, 1.0f, 3.0f, 1.0f, 0.15f, 0.0f, 11);
    const Lines expected = {" PU  1121,  1222;", " PU  1121,  1222;", " PD  3011,  1222;",  // shaft to the base
                            " PD  3011,  1171;", " PD  3164,  1222;", " PD  3011,  1273;",  // W1, tip, W2
                            " PD  3011,  1222;", " PU  3164,  1222;"};                      // base, tip
    EXPECT_EQ(drawn("a11.plt"), expected);
}

TEST_F(Figures, ArrowsThatDrawNothing) {
    open_plot("a0.plt");
    PLTARW(1.0f, 1.0f, 3.0f, 1.0f, 0.15f, -0.1f, 11);  // negative width
    PLTARW(1.0f, 1.0f, 3.0f, 1.0f, 0.15f, 0.1f, 0);    // type 0
    PLTARW(2.0f, 2.0f, 2.0f, 2.0f, 0.15f, 0.1f, 11);   // zero length
    EXPECT_TRUE(drawn("a0.plt").empty());
}

TEST_F(Figures, HatchedHeadEndsAtTheTip) {
    open_plot("a16.plt");
    PLTARW(1.0f, 1.0f, 1.0f, 3.0f, 0.3f, 0.1f, 16);  // half width 0.05: hatch lines at 0.03 and 0.01
    const Lines lines = drawn("a16.plt");
    ASSERT_EQ(lines.size(), 3u + 5u + 2u * 3u + 1u);
    EXPECT_EQ(lines.back(), " PU  1121,  3268;");
}

}  // namespace
}  // namespace datrax::testing
