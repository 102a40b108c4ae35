// Point marking: picks snapped to samples, the mark list, and its replay
// into a saved plot.
#include "plots/marking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/run_stop.h"
#include "plots_fixture.h"

namespace datrax::testing {
namespace {

using Event = platform::CursorEvent;

std::string repeat(const std::string& s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// The plot area of the load values (x 1.5 to 9.5 inches) on the mode 3
// screen; the cursor starts at its centre, x 5.5, which is canvas column 562.
class Marking : public PlotsTest {
protected:
    Marking() { dset.DT(1) = 0.5f; }
    void mark(REAL dxi, INTEGER i1, const std::string& script) {
        keys(script);
        mark_points(dxi, i1);
        EXPECT_EQ(window_.keys_left(), 0u);
    }
    std::string row_above() const { return window_.canvas().row_text(window_.canvas().rows() - 2); }
    void mark_is(INTEGER m, REAL x, REAL time) {
        EXPECT_FLOAT_EQ(plotw.mark_x(m), x);
        EXPECT_FLOAT_EQ(plotw.mark_time(m), time);
    }
};

TEST_F(Marking, APickSnapsToTheNearestSample) {
    // 30 pixels right of the centre: 5.787 inches, 8.57 steps of 0.5 inch.
    mark(0.5f, 1, repeat("{right}", 30) + "{enter}n");
    ASSERT_EQ(plotw.mark_count, 1);
    mark_is(1, 6.0f, 4.5f);  // sample 10, 9 intervals of 0.5 hours
    EXPECT_NEAR(plotw.mark_y(1), 3.75f, 0.01f) << "y stays where the pick was";
    EXPECT_NE(bottom_row().find(" Index = 10   t = 4.5000 min Select a Time [y/n] --> n"), std::string::npos)
        << bottom_row();
}

TEST_F(Marking, AMissingSampleIsNeverMarked) {
    dset.NPTS(1) = 17;
    for (INTEGER i = 1; i <= 17; ++i) Y(i, 1) = 1.5f * static_cast<REAL>(i);
    Y(10, 1) = std::nanf("");
    Y(9, 1) = std::nanf("");
    mark(0.5f, 1, repeat("{right}", 30) + "{enter}n");
    ASSERT_EQ(plotw.mark_count, 1);
    mark_is(1, 6.5f, 5.0f);  // sample 11, the nearest present one
    EXPECT_EQ(plotw.mark_index(1), 11);
    EXPECT_FLOAT_EQ(plotw.mark_value(1), 16.5f);
    EXPECT_NE(bottom_row().find(" Index = 11   t = 5.0000 min   y = 16.5000 microgal Select"), std::string::npos)
        << bottom_row();
}

// The report that does not fit beside the question takes the row above:
// the question is seen whole on the bottom row, on every screen width.
TEST_F(Marking, TheQuestionIsAlwaysSeenWhole) {
    dset.NPTS(1) = 17;
    for (INTEGER i = 1; i <= 17; ++i) Y(i, 1) = 41782.0f + static_cast<REAL>(i);
    dset.DUNIT(1) = "nm/s^2 (station BF)";
    pp.AXTITX(1) = "minutes from the start of the record";
    keys(repeat("{right}", 30) + "{enter}");
    EXPECT_THROW(mark_points(0.5f, 1), RunStop);
    EXPECT_EQ(bottom_row(), " Select a Time [y/n] -->");
    EXPECT_EQ(row_above(),
              " Index = 10   t = 4.5000 minutes from the start of the record   y = 41792.0000 nm/s^2 (station BF)");
    mark(0.5f, 1, repeat("{right}", 30) + "{enter}n");
    EXPECT_EQ(bottom_row(), " Select a Time [y/n] --> n");
    EXPECT_EQ(row_above(), "") << "the report goes with the answer";
}

// With a filter on, the mark reports the value of the curve drawn there
// and the raw sample beside it.
TEST_F(Marking, AFilteredCurveReportsTheValueDrawnAndTheRawSample) {
    dset.NPTS(1) = 17;
    for (INTEGER i = 1; i <= 17; ++i) Y(i, 1) = i == 10 ? 30.0f : 10.0f;
    pp.NF = 3;
    plotw.NH = 1;
    plotw.W(1) = plotw.W(2) = plotw.W(3) = 1.0f / 3.0f;
    mark(0.5f, 1, repeat("{right}", 30) + "{enter}n");
    const std::string report = row_above() + bottom_row();
    EXPECT_NE(report.find("   y = 16.6667 microgal (raw 30.0000)"), std::string::npos) << report;
    EXPECT_FLOAT_EQ(plotw.mark_value(1), 30.0f);
}

// A pick near the top keeps the mark's time below the frame's top edge,
// clear of the titles above it.
TEST_F(Marking, AMarkNearTheTopStaysInsideTheFrame) {
    mark(0.5f, 1, repeat("{up}", 200) + "{enter}n");
    ASSERT_EQ(plotw.mark_count, 1);
    EXPECT_LE(plotw.mark_y(1) + 0.4f + pp.SIZE(1), pp.YMAX + 1e-5f);
}

TEST_F(Marking, PicksOutsideTheWindowGiveIndicesBeyondIt) {
    mark(0.5f, 1, repeat("{left}", 450) + "{enter}y" + repeat("{right}", 900) + "{enter}n");
    ASSERT_EQ(plotw.mark_count, 2);
    mark_is(1, 1.0f, -0.5f);  // index 0, left of sample 1: a negative time
    mark_is(2, 10.0f, 8.5f);  // index 18, right of the last sample 17
}

TEST_F(Marking, AZeroSampleStepTakesTheFirstSampleOfTheWindow) {
    mark(0.0f, 7, repeat("{right}", 100) + "{enter}n");
    mark_is(1, 1.5f, 3.0f);
}

TEST_F(Marking, TheMouseMovesAndPicks) {
    window_.mouse = {Event{Event::Kind::MoveTo, 0, 0, column_of(3.0f), row_of(2.0f)},
                     Event{Event::Kind::Pick, 0, 0, -1, -1},  // at the cursor
                     Event{Event::Kind::Pick, 0, 0, column_of(4.02f), row_of(5.0f)}};
    mark(0.5f, 1, "yn");
    ASSERT_EQ(plotw.mark_count, 2);
    mark_is(1, 3.0f, 1.5f);
    mark_is(2, 4.0f, 2.5f);
    EXPECT_NEAR(plotw.mark_y(2), 5.0f, 0.01f);
}

TEST_F(Marking, AStepKeepsAHundredMarksAndStillDrawsAndReportsTheRest) {
    mark(0.5f, 1, repeat("{enter}y", 100) + repeat("{right}", 40) + "{enter}n");
    EXPECT_EQ(plotw.mark_count, 100);
    mark_is(100, 5.5f, 4.0f);
    EXPECT_NE(bottom_row().find(" Index = 10 "), std::string::npos) << bottom_row();
    mark(0.5f, 1, "{enter}n");
    EXPECT_EQ(plotw.mark_count, 1) << "every marking step starts a new list";
}

TEST_F(Marking, TheCursorLeavesNoTraceBesideTheMark) {
    const std::vector<uint8_t> before = window_.canvas().pixels();
    // A pick at the centre snaps to x 5.5, the centre's own column: the arrow
    // stands above the pick, the cursor's arms reached left, right and below.
    mark(0.5f, 1, "{enter}n");
    const platform::Canvas& c = window_.canvas();
    const int x0 = column_of(5.5f), y0 = row_of(3.75f);
    const auto unchanged = [&](int x, int y) { return c.pixel(x, y) == before[y * c.width() + x]; };
    for (int d = 2; d <= 12; ++d) {
        EXPECT_TRUE(unchanged(x0 - d, y0)) << "left arm " << d;
        EXPECT_TRUE(unchanged(x0 + d, y0)) << "right arm " << d;
        EXPECT_TRUE(unchanged(x0, y0 + d)) << "lower arm " << d;
    }
    EXPECT_FALSE(unchanged(x0, y0 - 25)) << "the arrow's shaft is there";
}

// The picture of a marking step that waits for its pick (a replay whose keys
// end there) shows the cursor, as the real window does.
TEST_F(Marking, TheWaitingCursorIsOnThePicture) {
    const std::vector<uint8_t> before = window_.canvas().pixels();
    keys("{right}{right}");
    EXPECT_THROW(mark_points(0.5f, 1), RunStop);
    const platform::Canvas& c = window_.canvas();
    const int x0 = column_of(5.5f) + 2, y0 = row_of(3.75f);
    int inverted = 0;
    for (int d = -12; d <= 12; ++d) {
        inverted += c.pixel(x0 + d, y0) == 15 - before[y0 * c.width() + x0 + d];
        inverted += d != 0 && c.pixel(x0, y0 + d) == 15 - before[(y0 + d) * c.width() + x0];
    }
    EXPECT_EQ(inverted, 49);
}

}  // namespace
}  // namespace datrax::testing
