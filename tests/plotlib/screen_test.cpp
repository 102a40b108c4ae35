// Pen moves on the screen canvas: world mapping of both pages, line masks,
// the pen-down flag, clipping to the page, colours.
#include <gtest/gtest.h>

#include "plot_fixture.h"
#include "plotlib/device.h"
#include "plotlib/figures.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"

namespace datrax::testing {
namespace {

class Screen : public PlotTest {
protected:
    platform::Canvas& canvas() { return screen_.canvas(); }
    // N pixels of row Y from column X0, one hex digit per colour index.
    std::string pixels(int y, int x0, int n) {
        std::string s;
        for (int x = x0; x < x0 + n; ++x) s += "0123456789ABCDEF"[canvas().pixel(x, y)];
        return s;
    }
    // Pixel of a page point by the library's own conversion, which lines
    // drawn in world coordinates must meet.
    static INTEGER column_of(REAL x) {
        REAL y = 0.0f;
        INTEGER ix = 0, iy = 0;
        INCPIX(x, y, ix, iy, 0);
        return ix;
    }
    static INTEGER row_of(REAL y) {
        REAL x = 0.0f;
        INTEGER ix = 0, iy = 0;
        INCPIX(x, y, ix, iy, 0);
        return iy;
    }
    void horizontal(REAL y, INTEGER code) {
        PENMOV(0.0f, y, 3);
        PENMOV(10.0f, y, code);
    }
};

TEST_F(Screen, PageFrameTouchesEveryEdgePixelAndNothingElse) {
    RECTNG(0.0f, 0.0f, 7.5f, 10.0f, 0.0f, 3);
    const int w = canvas().width(), h = canvas().height();
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            wrong += canvas().pixel(x, y) != (edge ? 15 : 0);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(Screen, Page17CornersAreTheCanvasCornersInEveryMode) {
    for (INTEGER mode = 1; mode <= 4; ++mode) {
        PLTDEV(2, 17, mode, 0, ".");
        PENMOV(0.0f, 0.0f, 3);
        PENMOV(16.0f, 10.0f, 2);
        const int w = canvas().width(), h = canvas().height();
        EXPECT_EQ(canvas().pixel(0, h - 1), 15) << mode;
        EXPECT_EQ(canvas().pixel(w - 1, 0), 15) << mode;
        REAL x = 16.0f, y = 0.0f;
        INTEGER ix = 0, iy = 0;
        INCPIX(x, y, ix, iy, 0);
        EXPECT_EQ(ix, w - 1) << mode;
        EXPECT_EQ(iy, h - 1) << mode;
    }
}

TEST_F(Screen, MasksOfTheLineCodes) {
    horizontal(1.0f, 2);
    horizontal(2.0f, 5);
    horizontal(3.0f, 6);
    EXPECT_EQ(pixels(row_of(1.0f), 0, 32), std::string(32, 'F'));
    EXPECT_EQ(pixels(row_of(2.0f), 0, 32), "F0F0F0F0F0F0F0F0F0F0F0F0F0F0F0F0");
    EXPECT_EQ(pixels(row_of(3.0f), 0, 32), "FFFFFFFF00000000FFFFFFFF00000000");
}

TEST_F(Screen, DrawAfterADrawKeepsTheStyleAndAfterAMoveIsSolid) {
    PENMOV(0.0f, 1.0f, 3);
    PENMOV(5.0f, 1.0f, 6);
    PENMOV(10.0f, 1.0f, 2);  // continues dashed
    EXPECT_NE(pixels(row_of(1.0f), 400, 32).find("00000000"), std::string::npos);
    PENMOV(0.0f, 2.0f, 3);
    PENMOV(10.0f, 2.0f, 2);  // after a move: solid
    EXPECT_EQ(pixels(row_of(2.0f), 400, 32), std::string(32, 'F'));
}

TEST_F(Screen, LinesAreClippedToThePageWindow) {
    CLIPWN(5.0f, 3.75f);
    horizontal(1.0f, 2);
    horizontal(6.0f, 2);
    EXPECT_EQ(pixels(row_of(1.0f), column_of(5.0f) - 3, 8), "FFFF0000");
    EXPECT_EQ(pixels(row_of(6.0f), 0, 64), std::string(64, '0'));
}

TEST_F(Screen, NegativeCodeMovesTheOriginOfLaterMoves) {
    PENMOV(5.0f, 1.0f, -3);
    horizontal(0.0f, 2);  // page y 1, from page x 5 to the right edge
    EXPECT_EQ(pixels(row_of(0.0f), column_of(0.0f) - 4, 8), "0000FFFF");
}

TEST_F(Screen, ColoursAreTakenModuloSixteen) {
    PENCOL(-3);
    INTEGER colour = 999;
    PENCOL(colour);
    EXPECT_EQ(colour, 3);
    PENCOL(20);
    colour = 999;
    PENCOL(colour);
    EXPECT_EQ(colour, 4);
    PENCOL(-1);  // no plot file: an ordinary colour
    colour = 999;
    PENCOL(colour);
    EXPECT_EQ(colour, 1);
}

TEST_F(Screen, PenPositionIsTheWorldPosition) {
    PENMOV(2.5f, 3.5f, 3);
    REAL x = 0, y = 0, fact = 0;
    PENPOS(x, y, fact);
    EXPECT_FLOAT_EQ(x, 2.5f);
    EXPECT_FLOAT_EQ(y, 3.5f);
}

}  // namespace
}  // namespace datrax::testing
