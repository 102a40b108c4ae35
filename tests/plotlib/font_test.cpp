// The stroke font as loaded, the marker commands of plot files and the
// drawing style.
#include "plotlib/font.h"

#include <gtest/gtest.h>

#include <string>

#include "plot_fixture.h"
#include "plotlib/device.h"
#include "plotlib/plotlib.h"
#include "plotlib/symbols.h"

namespace datrax::testing {
namespace {

using plotlib_detail::plot;

std::string loaded_values(int code) {
    const Glyph& g = plot.font[static_cast<size_t>(code)];
    std::string out;
    for (INTEGER i = 1; i <= g.count; ++i) {
        if (i > 1) out += ',';
        out += std::to_string(g.v(i));
    }
    return out;
}

class Font : public PlotTest {};

// The values of a table entry: all but the final ";" and label character.
std::string_view entry_values(int code) {
    const std::string_view entry = plotlib_detail::glyph_entry(code);
    return entry.substr(0, entry.size() - 2);
}

// Every entry reads back as its values (an empty entry as the single value
// 0), so no table text is lost or misparsed.
TEST_F(Font, EveryGlyphLoadsItsOwnValues) {
    FNTLOD();
    for (int code = 0; code < 128; ++code) {
        const std::string_view values = entry_values(code);
        EXPECT_EQ(loaded_values(code), values.empty() ? "0" : std::string(values)) << "code " << code;
        EXPECT_LE(plot.font[static_cast<size_t>(code)].count, kGlyphMax);
    }
    EXPECT_EQ(loaded_values(4), "-2,-3,99,4,6,-99,-4,0,99,4,-6");
    EXPECT_EQ(plot.font[21].count, 1);
    EXPECT_EQ(plot.font[32].count, 1);
    EXPECT_EQ(plotlib_detail::glyph_entry(65), "99,2,8,2,-8,-1,4,-2,0;A");
    EXPECT_EQ(plotlib_detail::glyph_entry(39).back(), '+');
}

TEST_F(Font, MarkerCommandsFollowTheGlyphsWithFiveExceptions) {
    using plotlib_detail::marker_commands;
    EXPECT_EQ(marker_commands(4), " UC-2,-3,99,4,6,-99,-4,0,99,4,-6;");
    EXPECT_EQ(marker_commands(2), " UC99,0,4,-2,-6,4,0,-2,6;");
    EXPECT_EQ(marker_commands(15), " UC0,-4,99,6,0;");
    EXPECT_EQ(marker_commands(24), " UC-3,0,99,6,0;");
    EXPECT_EQ(marker_commands(32), " UC0,6,99,1,0,1,-1,0,-2,1,-1,-1,-1,0,-2,-1,-1,-1,0;");
    EXPECT_EQ(marker_commands(21), " UC;");
    EXPECT_EQ(marker_commands(25), " UC;");
    for (int code : {0, 1, 3, 14, 20, 31}) {
        EXPECT_EQ(marker_commands(code), " UC" + std::string(entry_values(code)) + ";") << code;
    }
}

TEST_F(Font, StyleIsStoredByItsRulesAndQueriedWith999) {
    PLTSTY(7, 40, 18, 3, 0.2f);
    INTEGER lmode = 999, isym = 0, scol = 0, ifill = 0;
    REAL thgt = 0.0f;
    PLTSTY(lmode, isym, scol, ifill, thgt);
    EXPECT_EQ(lmode, 2);
    EXPECT_EQ(isym, 0);
    EXPECT_EQ(scol, 2);
    EXPECT_EQ(ifill, 0);
    EXPECT_FLOAT_EQ(thgt, 0.2f);

    PLTSTY(5, -4, 0, 1, 0.0f);
    lmode = 999;
    PLTSTY(lmode, isym, scol, ifill, thgt);
    EXPECT_EQ(lmode, 5);
    EXPECT_EQ(isym, -1);
    EXPECT_EQ(scol, -1);
    EXPECT_EQ(ifill, 1);

    PLTSTY(6, 32, 15, 1, 0.0f);
    EXPECT_EQ(plot.LMODE, 6);
    EXPECT_EQ(plot.ISYM, 32);
    EXPECT_EQ(plot.SCOL, 15);
}

TEST_F(Font, ScreenSetUpResetsTheStyle) {
    PLTSTY(5, 3, 4, 1, 0.3f);
    plot.GFACT = 2.0f;
    PLTDEV(2, 11, 1, 0, ".");
    EXPECT_EQ(plot.LMODE, 0);
    EXPECT_EQ(plot.ISYM, -1);
    EXPECT_EQ(plot.SCOL, 0);
    EXPECT_EQ(plot.IFILL, 0);
    EXPECT_EQ(plot.THGT, 0.0f);
    EXPECT_EQ(plot.GFACT, 1.5f);
}

}  // namespace
}  // namespace datrax::testing
