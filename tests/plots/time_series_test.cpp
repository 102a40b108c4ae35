// The time-series plot: the questions it asks, the sample window and data
// limits it takes, and the browse commands.
#include "plots/time_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/run_stop.h"
#include "plotlib/device.h"
#include "plots_fixture.h"

namespace datrax::testing {
namespace {

using Prompts = std::vector<std::string>;

const std::string kChangeTime = "Change Time Limits [y/n] -->";
const std::string kFixedTime = "Fixed Time Limits [y/n] -->";
const std::string kChangeData = "Change Data Limits [y/n] -->";
const std::string kFixedData = "Fixed Data Limits [y/n] -->";
const std::string kFilter = "Filter Length, [default 1] -->";
const std::string kBrowse = "[Mark/Forward/Back/Zoom/Yscale/Previous/Next/Save/Quit] ->";

REAL wave(INTEGER i) { return std::sin(static_cast<REAL>(i) * 0.1f); }
REAL ramp(INTEGER i) { return static_cast<REAL>(i); }

// The smallest and largest of wave(i1..i2).
std::pair<REAL, REAL> wave_range(INTEGER i1, INTEGER i2) {
    REAL lo = wave(i1), hi = wave(i1);
    for (INTEGER i = i1 + 1; i <= i2; ++i) lo = std::min(lo, wave(i)), hi = std::max(hi, wave(i));
    return {lo, hi};
}

// Keys answering "Fixed ... Limits" with y and the two limits.
std::string fixed(const std::string& lo, const std::string& hi) { return "y" + lo + "{enter}" + hi + "{enter}"; }

class TimeSeries : public PlotsTest {
protected:
    TimeSeries() {
        load(1, 100, wave, "G97001.DAT");
        pp.LCOL(1) = 12;  // the curve apart from frames and axes
    }
    void window_is(INTEGER i1, INTEGER i2, INTEGER j1, INTEGER j2) {
        EXPECT_EQ(plotw.I1, i1);
        EXPECT_EQ(plotw.I2, i2);
        EXPECT_EQ(plotw.J1, j1);
        EXPECT_EQ(plotw.J2, j2);
    }
};

TEST_F(TimeSeries, FirstDrawingOfTheRunAsksOnlyTheFixedQuestionsAndTheFilter) {
    plot("nn{enter}q");
    EXPECT_EQ(prompts(), (Prompts{kFixedTime, kFixedData, kFilter, kBrowse}));
    EXPECT_FALSE(mainv.new_data);
    window_is(1, 100, 1, 100);
    EXPECT_EQ(std::make_pair(plotw.YLO1, plotw.YHI1), wave_range(1, 100));
}

TEST_F(TimeSeries, LaterCallsAskTheChangeQuestionsAndKeepTheWindow) {
    plot(fixed("10", "20") + "n{enter}q");
    prompts();
    plot("nn{enter}q");
    EXPECT_EQ(prompts(), (Prompts{kChangeTime, kChangeData, kFilter, kBrowse}));
    window_is(11, 21, 11, 21);
}

TEST_F(TimeSeries, ANewTimeScaleRebuildsTheWindowFromTheKeptLimits) {
    plot(fixed("10", "20") + "n{enter}q");
    dset.TSCALE = 2.0f;  // the same limits now lie twice as early in samples
    plot("nn{enter}q");
    window_is(6, 11, 6, 11);
}

TEST_F(TimeSeries, ForwardAndBackShiftTheFixedWindow) {
    plot(fixed("10", "20") + "n{enter}" + "ffbq");
    EXPECT_EQ(plotw.TLO, 20.0f);
    EXPECT_EQ(plotw.THI, 30.0f);
    window_is(21, 31, 21, 31);
    // The shifted windows take automatic limits of their own samples.
    EXPECT_EQ(std::make_pair(plotw.YLO1, plotw.YHI1), wave_range(21, 31));
}

TEST_F(TimeSeries, ForwardAtTheEndAndBackAtTheStartOnlyAskAgain) {
    plot(fixed("0", "99") + "n{enter}" + "fbq");
    const Prompts p = prompts();
    ASSERT_EQ(p.size(), 8u);
    EXPECT_EQ(p[4], kFilter);
    EXPECT_EQ(Prompts(p.begin() + 5, p.end()), (Prompts{kBrowse, kBrowse, kBrowse})) << "f and b only ask again";
    EXPECT_EQ(plotw.TLO, 0.0f);
    EXPECT_EQ(plotw.THI, 99.0f);
}

TEST_F(TimeSeries, BackFromOneToThreeGivesZeroToOne) {
    plot(fixed("1", "3") + "n{enter}" + "bq");
    EXPECT_EQ(plotw.TLO, 0.0f);
    EXPECT_EQ(plotw.THI, 1.0f);
    window_is(1, 2, 1, 2);
}

TEST_F(TimeSeries, EnterRepeatsTheLastCommandAndCapitalsAreNoCommands) {
    plot(fixed("0", "10") + "n{enter}" + "{enter}f{enter}{enter}FQq");
    EXPECT_EQ(plotw.TLO, 30.0f);
    EXPECT_EQ(plotw.THI, 40.0f);
}

TEST_F(TimeSeries, ZoomAsksForNewTimeLimitsAndYscaleForNewDataLimits) {
    plot(
        "nn{enter}"
        "z" +
        fixed("50", "60") +
        "n"
        "y" +
        fixed("-5", "5") + "q");
    const Prompts p = prompts();
    EXPECT_EQ(std::count(p.begin(), p.end(), kFilter), 1) << "the filter length is asked once per call";
    window_is(51, 61, 51, 61);
    EXPECT_EQ(plotw.YLO1, -5.0f);
    EXPECT_EQ(plotw.YHI1, 5.0f);
    EXPECT_TRUE(plotw.fixed_data);
}

TEST_F(TimeSeries, FixedLimitsBeyondTheRecordDrawOnlyItsSamplesAtTheWindowsScale) {
    plot(fixed("-10", "149") + "n{enter}q");
    window_is(-9, 150, 1, 100);
    // 159 sample steps across 8 inches: sample 1 lies 10 steps right of XMIN.
    const REAL first_x = 1.5f + 10.0f * 8.0f / 159.0f;
    const REAL last_x = 1.5f + 109.0f * 8.0f / 159.0f;
    EXPECT_NEAR(first_column(12), column_of(first_x), 1);
    EXPECT_NEAR(last_column(12), column_of(last_x), 1);
}

TEST_F(TimeSeries, HugeTimeLimitsGiveTheFarthestSampleIndices) {
    plot(fixed("-1e30", "1e30") +
         "n{enter}"
         "m{enter}n"
         "fbq");
    window_is(-2147483647, 2147483647, 1, 100);
    EXPECT_GT(count_pixels(12), 0) << "the record is a short curve in the middle";
    EXPECT_EQ(plotw.mark_count, 1);
}

TEST_F(TimeSeries, AWindowBeyondTheRecordDrawsAnEmptyFrameAndKeepsTheLimits) {
    plot("nn{enter}q");
    plot("y" + fixed("200", "300") +
         "yn"
         "{enter}q");
    window_is(201, 301, 201, 100);
    EXPECT_EQ(count_pixels(12), 0);
    EXPECT_EQ(std::make_pair(plotw.YLO1, plotw.YHI1), wave_range(1, 100));
}

TEST_F(TimeSeries, WithoutATimePerSampleFixedLimitsAreIgnored) {
    dset.DT(1) = 0.0f;
    plot(fixed("10", "20") + "n{enter}q");
    window_is(1, 100, 1, 100);
    EXPECT_GT(count_pixels(12), 0);
}

TEST_F(TimeSeries, AOneSampleWindowAndZeroDivisionsStillDraw) {
    pp.NGX(1) = 0;
    pp.NGY(1) = 0;
    plot(fixed("5", "5.2") + "n{enter}q");
    window_is(6, 6, 6, 6);
    EXPECT_EQ(pp.NGX(1), 0);
    EXPECT_EQ(pp.NGY(1), 0);
}

TEST_F(TimeSeries, AnAreaWithoutWidthOrHeightIsAnEmptyFrame) {
    pp.YLEN = 0.0f;
    plot("nn{enter}q");
    EXPECT_EQ(count_pixels(12), 0);
    pp.YLEN = 5.5f;
    pp.XLEN = 0.0f;
    plot("nn{enter}q");
    EXPECT_EQ(count_pixels(12), 0);
}

// Separate areas keep their own heights when YLEN is 0: the lower area
// still draws its curve.
TEST_F(TimeSeries, WithoutPlotHeightTheLowerAreaStillDrawsItsCurve) {
    load(2, 100, ramp, "G97002.DAT");
    pp.LCOL(2) = 10;
    sel.NDSETS = 2;
    sel.STYLE = 2;
    pp.YLEN = 0.0f;
    keep_page_edges_in_step();
    plot("nn{enter}q");
    EXPECT_GT(count_pixels(10), 100);
}

// A range that single precision cannot hold is reported, and nothing is
// drawn at a scale that overflowed.
TEST_F(TimeSeries, ARangeBeyondSinglePrecisionIsReported) {
    load(
        1, 4, [](INTEGER i) { return i % 2 == 0 ? 3.4e38f : -3.4e38f; }, "WIDE.DAT");
    keys("nn");
    EXPECT_THROW(time_series_plot(), RunStop);
    EXPECT_EQ(bottom_row(), "Data range too large to draw Press [Enter] -->");
    plot("nn{enter}{enter}q");
    EXPECT_EQ(count_pixels(12), 0);
}

TEST_F(TimeSeries, AFlatDataSetLiesOnTheLowerEdgeOfItsArea) {
    load(
        1, 100, [](INTEGER) { return 3.0f; }, "FLAT.DAT");
    plot("nn{enter}q");
    const int bottom = row_of(pp.YMIN);
    const platform::Canvas& c = window_.canvas();
    int on_edge = 0;
    for (int x = 0; x < c.width(); ++x) on_edge += c.pixel(x, bottom) == 12;
    EXPECT_EQ(on_edge, count_pixels(12));
    EXPECT_GT(on_edge, 0);
}

TEST_F(TimeSeries, FilterLengthIsHeldToTheWeightsAndZeroBecomesOne) {
    plot("nn6000{enter}q");
    EXPECT_EQ(pp.NF, 5001);
    EXPECT_EQ(plotw.NH, 2500);
    plot("nn4{enter}q");
    EXPECT_EQ(plotw.NH, 1) << "an even length reaches one sample further right";
    plot("nn0{enter}q");
    EXPECT_EQ(pp.NF, 1);
}

TEST_F(TimeSeries, ANegativeFilterLengthDrawsTheRawSamples) {
    plot("nn{enter}q");
    const std::vector<uint8_t> raw = window_.canvas().pixels();
    plot("nn-3{enter}q");
    EXPECT_EQ(pp.NF, -3);
    EXPECT_TRUE(window_.canvas().pixels() == raw);
    plot("nn5{enter}q");
    EXPECT_FALSE(window_.canvas().pixels() == raw) << "a filtered curve differs";
}

TEST_F(TimeSeries, OutOfRangeLineTypesDrawSolidAndKeepTheirValue) {
    plot("nn{enter}q");
    const std::vector<uint8_t> solid = window_.canvas().pixels();
    for (INTEGER ltyp : {999, -3, 20}) {
        pp.LTYP(1) = ltyp;
        plot("nn{enter}q");
        EXPECT_TRUE(window_.canvas().pixels() == solid) << "LTYP " << ltyp;
        EXPECT_EQ(pp.LTYP(1), ltyp);
    }
}

TEST_F(TimeSeries, ShorterSecondDataSetEndsAtItsOwnLength) {
    load(2, 60, ramp, "G97002.DAT");
    pp.LCOL(2) = 10;
    sel.NDSETS = 2;
    sel.STYLE = 1;
    plot("nn{enter}q");
    window_is(1, 100, 1, 100);
    EXPECT_NEAR(last_column(10), column_of(1.5f + 59.0f * 8.0f / 99.0f), 1);
    EXPECT_EQ(plotw.YLO1, wave_range(1, 100).first) << "overlaid sets share one range";
    EXPECT_EQ(plotw.YHI1, 60.0f);
}

TEST_F(TimeSeries, StylesThreeToFiveDrawLikeSeparatePlots) {
    load(2, 100, ramp, "G97002.DAT");
    sel.NDSETS = 2;
    sel.STYLE = 2;
    plot("nn{enter}q");
    const std::vector<uint8_t> separate = window_.canvas().pixels();
    for (INTEGER style : {3, 4, 5}) {
        sel.STYLE = style;
        plot("nn{enter}q");
        EXPECT_TRUE(window_.canvas().pixels() == separate) << "STYLE " << style;
    }
}

}  // namespace
}  // namespace datrax::testing
