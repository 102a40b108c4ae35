// Texts and markers on the screen canvas: the glyph sheet pixel for pixel,
// marker shapes, fills, bold passes, centring and continuation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_fixture.h"
#include "plotlib/device.h"
#include "plotlib/pen.h"
#include "plotlib/plotlib.h"
#include "plotlib/specimen.h"
#include "plotlib/symbols.h"
#include "support/canvas_art.h"
#include "support/golden_png.h"

namespace datrax::testing {
namespace {

using plotlib_detail::plot;

struct Box {
    int x1 = 1 << 30, y1 = 1 << 30, x2 = -1, y2 = -1;
    int width() const { return x2 - x1 + 1; }
    int height() const { return y2 - y1 + 1; }
};

class SymbolsScreen : public PlotTest {
protected:
    platform::Canvas& canvas() { return screen_.canvas(); }
    Box lit_box() {
        Box b;
        for (int y = 0; y < canvas().height(); ++y) {
            for (int x = 0; x < canvas().width(); ++x) {
                if (canvas().pixel(x, y) == 0) continue;
                b.x1 = std::min(b.x1, x), b.y1 = std::min(b.y1, y);
                b.x2 = std::max(b.x2, x), b.y2 = std::max(b.y2, y);
            }
        }
        return b;
    }
    int lit_count() {
        int n = 0;
        for (const uint8_t p : canvas().pixels()) n += p != 0;
        return n;
    }
    std::vector<uint8_t> drawn(void (*draw)()) {
        PLTDEV(2, 11, 1, 0, ".");
        draw();
        return canvas().pixels();
    }
    static void pixel_of(REAL x, REAL y, INTEGER& ix, INTEGER& iy) { INCPIX(x, y, ix, iy, 0); }
};

TEST_F(SymbolsScreen, GlyphSheet) {
    PLTDEV(2, 11, 3, 0, ".");
    draw_glyph_sheet();
    EXPECT_TRUE(matches_golden_png(canvas(), "glyph_sheet"));
}

TEST_F(SymbolsScreen, AxesPage) {
    PLTDEV(2, 11, 3, 0, ".");
    draw_axes_page();
    EXPECT_TRUE(matches_golden_png(canvas(), "axes_page"));
}

// At this height one glyph unit is 2 pixels each way in mode 1, so the
// cross of 4 by 6 units spans 9 by 13 pixels around its point.
TEST_F(SymbolsScreen, MarkerFourIsACrossOfFourBySixUnits) {
    PLTSYM(5.0f, 4.0f, 0.1252f, "\x04", 0.0f, -1);
    INTEGER ix = 0, iy = 0;
    pixel_of(5.0f, 4.0f, ix, iy);
    const Box b = lit_box();
    EXPECT_EQ(b.x1, ix - 4);
    EXPECT_EQ(b.x2, ix + 4);
    EXPECT_EQ(b.y1, iy - 6);
    EXPECT_EQ(b.y2, iy + 6);
    for (const auto& [dx, dy] : std::vector<std::pair<int, int>>{{-4, -6}, {4, -6}, {-4, 6}, {4, 6}, {0, 0}})
        EXPECT_EQ(canvas().pixel(ix + dx, iy + dy), 15) << dx << "," << dy;
    EXPECT_EQ(canvas().pixel(ix, iy - 6), 0);  // no bar across the top: a cross, not an hourglass
}

// A curve through markers: the pen is back at each marker's centre, so
// the next segment starts at the data point (as after text and in a file).
TEST_F(SymbolsScreen, PenReturnsToTheMarkersCentre) {
    for (const INTEGER code : {4, 1, 11, 65}) {  // 65: a character marker
        PLTDEV(2, 11, 1, 0, ".");
        const char text = static_cast<char>(code);
        PLTSYM(5.0f, 4.0f, 0.1f, std::string_view(&text, 1), 0.0f, -1);
        REAL x = 0, y = 0, fact = 0;
        PENPOS(x, y, fact);
        EXPECT_NEAR(x, 5.0f, 1e-4f) << code;
        EXPECT_NEAR(y, 4.0f, 1e-4f) << code;
    }
}

TEST_F(SymbolsScreen, CodesBeyondTheFontAreDrawnAsZWithAMessage) {
    // The glyph's corner of the canvas (the message goes to the text rows).
    auto glyph_area = [this](const char* text) {
        PLTDEV(2, 11, 1, 0, ".");
        PLTSYM(2.0f, 2.0f, 0.5f, text, 0.0f, 1);
        INTEGER ix = 0, iy = 0;
        pixel_of(2.0f, 2.0f, ix, iy);
        return canvas_art(canvas(), ix - 5, iy - 40, 40, 45);
    };
    const std::string z = glyph_area("Z");
    EXPECT_EQ(glyph_area("\x80"), z);
    EXPECT_EQ(screen_.window().console_lines().back(), "Character value exceeds 128, num= 128");
    EXPECT_NE(glyph_area("\x7f"), z);  // code 127 has a glyph of its own
}

TEST_F(SymbolsScreen, BoldDrawsOnePassPerTenthOfAnInchRounded) {
    const auto bold = drawn([] { PLTSYM(2.0f, 2.0f, -0.15f, "H", 0.0f, 1); });
    const auto passes = drawn([] {
        INTEGER ix = 0, iy = 0;
        pixel_of(2.0f, 2.0f, ix, iy);
        SCGLYF(ix, iy, 0.15f, 'H', 1.0f, 0.0f, 1);
        SCGLYF(ix + 1, iy, 0.15f, 'H', 1.0f, 0.0f, 1);
    });
    EXPECT_EQ(bold, passes);
}

TEST_F(SymbolsScreen, CentredTextIgnoresXAndTrailingBlanks) {
    const auto caret = drawn([] { PLTSYM(1.0f, 3.0f, 0.3f, "TITLE^", 0.0f, 6); });
    const auto blanks = drawn([] { PLTSYM(8.0f, 3.0f, 0.3f, "TITLE^   ", 0.0f, 9); });
    const auto placed = drawn([] { PLTSYM(4.25f, 3.0f, 0.3f, "TITLE", 0.0f, 5); });
    EXPECT_EQ(caret, placed);
    EXPECT_EQ(blanks, placed);
}

TEST_F(SymbolsScreen, ContinuationFollowsTheTextInAnyDirection) {
    for (const REAL angle : {0.0f, 90.0f, 30.0f}) {
        const auto whole = drawn([] {});
        PLTSYM(3.0f, 2.0f, 0.2f, "ABCD", angle, 4);
        const auto at_once = canvas().pixels();
        PLTDEV(2, 11, 1, 0, ".");
        PLTSYM(3.0f, 2.0f, 0.2f, "AB", angle, 2);
        PLTSYM(999.0f, 999.0f, 0.2f, "CD", angle, 2);
        EXPECT_EQ(canvas().pixels(), at_once) << angle;
        EXPECT_NE(canvas().pixels(), whole) << angle;
    }
    EXPECT_NEAR(plot.screen_cont_x, 3.0f + 4.0f * 0.2f * 0.8660254f, 1e-5f);
    EXPECT_NEAR(plot.screen_cont_y, 2.0f + 4.0f * 0.2f * 0.5f, 1e-5f);
}

TEST_F(SymbolsScreen, ForcedHeightReplacesTheCallersHeight) {
    const auto forced = drawn([] {
        PLTSTY(0, -1, -1, 0, 0.2f);
        PLTSYM(2.0f, 2.0f, 0.05f, "Ag", 0.0f, 2);
        PLTSYM(4.0f, 2.0f, 0.9f, "\x05", 0.0f, -1);
    });
    const auto asked = drawn([] {
        PLTSYM(2.0f, 2.0f, 0.2f, "Ag", 0.0f, 2);
        PLTSYM(4.0f, 2.0f, 0.2f, "\x05", 0.0f, -1);
    });
    EXPECT_EQ(forced, asked);
}

TEST_F(SymbolsScreen, MarkerColourAppliesToMarkersOnly) {
    PLTSTY(0, -1, 4, 0, 0.0f);
    PLTSYM(2.0f, 2.0f, 0.3f, "\x03", 0.0f, -1);
    PLTSYM(5.0f, 2.0f, 0.3f, "L", 0.0f, 1);
    INTEGER ix = 0, iy = 0;
    pixel_of(2.0f, 2.0f, ix, iy);
    EXPECT_EQ(canvas().pixel(ix, iy), 4);
    pixel_of(5.0f, 2.0f, ix, iy);
    EXPECT_EQ(canvas().pixel(ix, iy - 1), 15);
    EXPECT_EQ(canvas().color(), 15);  // the current colour is restored
}

TEST_F(SymbolsScreen, StyleMarkerReplacesTheCodeOnTheScreen) {
    const auto styled = drawn([] {
        PLTSTY(0, 4, -1, 0, 0.0f);
        PLTSYM(3.0f, 3.0f, 0.2f, std::string_view("\0", 1), 0.0f, -1);
    });
    const auto cross = drawn([] { PLTSYM(3.0f, 3.0f, 0.2f, "\x04", 0.0f, -1); });
    EXPECT_EQ(styled, cross);
}

TEST_F(SymbolsScreen, PrintableCharacterAsAMarkerIsCentredOnThePoint) {
    PLTSYM(5.0f, 4.0f, 0.4f, "H", 0.0f, -1);
    INTEGER ix = 0, iy = 0;
    pixel_of(5.0f, 4.0f, ix, iy);
    const Box b = lit_box();
    ASSERT_GT(b.width(), 0);
    EXPECT_NEAR((b.x1 + b.x2) / 2.0, ix, 1.0);
    EXPECT_NEAR((b.y1 + b.y2) / 2.0, iy, 1.0);
}

TEST_F(SymbolsScreen, LineToTheNextMarkerFollowsTheLineMode) {
    PLTSTY(5, -1, -1, 0, 0.0f);
    PLTSYM(1.0f, 4.0f, 0.1f, "\x15", 0.0f, -1);  // code 21 draws nothing itself
    PLTSYM(9.0f, 4.0f, 0.1f, "\x15", 0.0f, -2);
    INTEGER ix = 0, iy = 0;
    pixel_of(5.0f, 4.0f, ix, iy);
    EXPECT_NE(canvas().pixel(ix, iy), canvas().pixel(ix + 1, iy));  // dotted
}

TEST_F(SymbolsScreen, PixelAndLinePrimitivesRestoreTheColour) {
    PENCOL(2);
    SCPIXL(1, 1, 20);  // colour 20 is 4
    INTEGER x1 = 3, y1 = 1;
    SCLINE(x1, y1, 6, 1, 5);
    SCLINE(x1, y1, 6, 3, -7);  // continues from the end of the last line
    EXPECT_EQ(x1, 6);
    EXPECT_EQ(y1, 3);
    EXPECT_EQ(canvas_art(canvas(), 0, 0, 8, 4),
              "00000000\n"
              "04055570\n"
              "00000070\n"
              "00000070\n");
    EXPECT_EQ(canvas().color(), 2);
}

// Filled markers: the outline's inside and nothing beyond it.
TEST_F(SymbolsScreen, FilledRectangleMarkerIsSolid) {
    PLTSTY(0, -1, -1, 1, 0.0f);
    PLTSYM(5.0f, 4.0f, 0.2f, std::string_view("\0", 1), 0.0f, -1);
    const Box b = lit_box();
    ASSERT_GT(b.width(), 10);
    EXPECT_EQ(lit_count(), b.width() * b.height());
}

// A seed that misses the inside of a small or turned outline is left
// alone: no fill ever reaches beyond the marker.
TEST_F(SymbolsScreen, FillsNeverLeaveTheMarker) {
    for (const char code : {0, 1, 2, 5, 6, 7, 10, 12, 14, 17, 20}) {
        for (const REAL h : {0.09f, 0.12f, 0.3f}) {
            for (const REAL angle : {0.0f, 30.0f, 90.0f}) {
                PLTDEV(2, 11, 1, 0, ".");
                PLTSYM(5.0f, 4.0f, h, {&code, 1}, angle, -1);
                const Box outline = lit_box();
                PLTDEV(2, 11, 1, 0, ".");
                PLTSTY(0, -1, -1, 1, 0.0f);
                PLTSYM(5.0f, 4.0f, h, {&code, 1}, angle, -1);
                const Box filled = lit_box();
                EXPECT_TRUE(filled.x1 == outline.x1 && filled.x2 == outline.x2 && filled.y1 == outline.y1 &&
                            filled.y2 == outline.y2)
                    << "code " << int(code) << " height " << h << " angle " << angle;
            }
        }
    }
}

TEST_F(SymbolsScreen, StarAndArrowHaveSeedsOfTheirOwn) {
    for (const char code : {'\x0e', '\x14'}) {
        PLTDEV(2, 11, 1, 0, ".");
        PLTSYM(5.0f, 4.0f, 0.3f, {&code, 1}, 0.0f, -1);
        const int outline = lit_count();
        PLTDEV(2, 11, 1, 0, ".");
        PLTSTY(0, -1, -1, 1, 0.0f);
        PLTSYM(5.0f, 4.0f, 0.3f, {&code, 1}, 0.0f, -1);
        EXPECT_GT(lit_count(), outline + 20) << int(code);
    }
    // The star is filled in its tips too, not only around its centre.
    INTEGER ix = 0, iy = 0;
    pixel_of(5.0f, 4.0f, ix, iy);
    PLTDEV(2, 11, 1, 0, ".");
    PLTSTY(0, -1, -1, 1, 0.0f);
    PLTSYM(5.0f, 4.0f, 0.6f, "\x0e", 0.0f, -1);
    const REAL unit_y = 1.5f * 0.6f / 6.0f * plot.PYIN;
    EXPECT_EQ(canvas().pixel(ix, iy - static_cast<int>(2.5f * unit_y)), 15);
}

}  // namespace
}  // namespace datrax::testing
