// Numbers and annotated axes in plot files.
#include "plotlib/axes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "plot_fixture.h"
#include "plotlib/plotlib.h"

namespace datrax::testing {
namespace {

using Lines = std::vector<std::string>;

class Axes : public PlotTest {
protected:
    Lines records(const char* name) {
        close_plot(name);
        return file_lines(name);
    }
    static int count_starting(const Lines& lines, std::string_view head) {
        return static_cast<int>(
            std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(head, 0) == 0; }));
    }
    // The text of a label record, without the end of text and the padding.
    static std::string label_text(const std::string& record) { return record.substr(3, record.find('\x03') - 3); }
    // The pen-up move before the label record holding TEXT.
    static std::string move_before(const Lines& lines, std::string_view text) {
        for (size_t i = 1; i < lines.size(); ++i)
            if (lines[i].rfind(" LB", 0) == 0 && label_text(lines[i]) == text) return lines[i - 1];
        return "(no label " + std::string(text) + ")";
    }
    static INTEGER px(REAL x) { return static_cast<INTEGER>(100.0f + x * 1021.5f); }
    static INTEGER py(REAL y) { return static_cast<INTEGER>(200.0f + y * (7670.0f / 7.5f)); }
    static std::string move(const char* command, REAL x, REAL y) {
        char line[32];
        std::snprintf(line, sizeof line, "%s%6d,%6d;", command, px(x), py(y));
        return line;
    }
    static std::string pu(REAL x, REAL y) { return move(" PU", x, y); }
    static std::string pd(REAL x, REAL y) { return move(" PD", x, y); }
    // The last tick drawn: out from the axis start and back.
    static std::string tick_end(const Lines& lines) { return lines[lines.size() - 3]; }
};

TEST_F(Axes, XAxisWithExponent) {
    open_plot("axis_x.plt");
    PLTAXS(1.5f, 1.0f, "Time (s)", -8, -7.0f, 0.0f, 0.0f, 1000.0f, 1, 3.0f, 1.0f);
    close_plot("axis_x.plt");
    expect_golden_plot("axis_x.plt");
    const Lines lines = file_lines("axis_x.plt");
    EXPECT_EQ(label_text(lines[6]), "0.0");  // values shown divided by 1000
    EXPECT_EQ(move_before(lines, "1.0"), pu(2.5f - 3.0f * 0.0625f, 1.0f - 0.256f));
    EXPECT_EQ(move_before(lines, "7.0"), pu(8.5f - 3.0f * 0.0625f, 1.0f - 0.256f));
    EXPECT_EQ(count_starting(lines, " LB"), 8 + 3);  // numbers, title, "*10", exponent
}

TEST_F(Axes, YAxisWithExponent) {
    open_plot("axis_y.plt");
    PLTAXS(1.5f, 1.0f, "Gravity", 7, -5.0f, 90.0f, -2000.0f, 1000.0f, 0, 3.0f, 1.0f);
    close_plot("axis_y.plt");
    expect_golden_plot("axis_y.plt");
}

// Numbers too wide for their division are written at every n-th tick, on
// horizontal and vertical axes alike; numbers that fit keep every tick.
TEST_F(Axes, NumbersNeverOverlap) {
    struct Case {
        REAL angle, first, step, div;
        INTEGER ndec;
        std::vector<std::string> numbers;
    } cases[] = {
        {0.0f, 1002.0f, 2.05f, 0.8f, 1, {"1002.0", "1006.1", "1010.2"}},  // 6 x 0.14 > 0.8
        {0.0f, 1002.0f, 2.05f, 0.5f, 1, {"1002.0", "1006.1", "1010.2", "1014.3", "1018.4"}},
        {0.0f, 10.0f, 2.0f, 0.8f, 1, {"10.0", "12.0", "14.0", "16.0", "18.0", "20.0"}},  // fits
        {90.0f, 0.0f, 1.0f, 0.1f, 0, {"0.", "3."}},                                      // stacked
    };
    int k = 0;
    for (const Case& c : cases) {
        const std::string name = "wide" + std::to_string(k++) + ".plt";
        open_plot(name);
        PLTAXS(1.0f, 1.0f, "T", -1, c.angle == 0.0f ? 4.0f : 0.3f, c.angle, c.first, c.step, c.ndec, 0.0f, c.div);
        std::vector<std::string> numbers;
        for (const std::string& l : records(name.c_str()))
            if (l.rfind(" LB", 0) == 0 && label_text(l) != "T") numbers.push_back(label_text(l));
        EXPECT_EQ(numbers, c.numbers) << name;
    }
}

TEST_F(Axes, TickCountAllowsAHundredthOfAnInch) {
    for (const auto& [length, ticks] : std::vector<std::pair<REAL, int>>{{7.0f, 8}, {6.995f, 8}, {6.98f, 7}}) {
        const std::string name = "ticks" + std::to_string(length) + ".plt";
        open_plot(name);
        PLTAXS(1.0f, 1.0f, "T", 1, length, 0.0f, 0.0f, 1.0f, 0, 0.0f, 1.0f);
        EXPECT_EQ(count_starting(records(name.c_str()), " LB"), ticks + 1) << length;
    }
}

TEST_F(Axes, DivisionOfZeroOrLessGivesTheFirstTickOnly) {
    int k = 0;
    for (const REAL div :
         {0.0f, -1.0f, std::numeric_limits<REAL>::quiet_NaN(), std::numeric_limits<REAL>::infinity()}) {
        const std::string name = "div" + std::to_string(k++) + ".plt";
        open_plot(name);
        PLTAXS(1.0f, 1.0f, "T", 1, 5.0f, 0.0f, 0.0f, 1.0f, 0, 0.0f, div);
        const Lines lines = records(name.c_str());
        EXPECT_EQ(count_starting(lines, " LB"), 2) << div;
        const Lines tail(lines.end() - 5, lines.end() - 1);
        const Lines expected = {pu(6.0f, 1.0f), pd(1.0f, 1.0f), pd(1.0f, 1.15f), pd(1.0f, 1.0f)};
        EXPECT_EQ(tail, expected) << div;
    }
}

TEST_F(Axes, SidesOfNumbersTicksAndTitleOnAnXAxis) {
    open_plot("up.plt");
    PLTAXS(2.0f, 3.0f, "Below", -5, -4.0f, 0.0f, 0.0f, 1.0f, -1, 0.0f, 1.0f);
    Lines lines = records("up.plt");
    EXPECT_EQ(move_before(lines, "0"), pu(2.0f - 0.0625f, 3.0f - 0.256f));  // numbers below
    EXPECT_EQ(tick_end(lines), pd(2.0f, 3.15f));                            // ticks above
    EXPECT_EQ(move_before(lines, "Below"), pu(2.0f + 2.0f - 5.0f * 0.07f, 3.0f - 0.537f));

    open_plot("down.plt");
    PLTAXS(2.0f, 3.0f, "Below", -5, 4.0f, 0.0f, 0.0f, 1.0f, -1, 0.0f, 1.0f);
    lines = records("down.plt");
    EXPECT_EQ(move_before(lines, "0"), pu(2.0f - 0.0625f, 3.0f - 0.356f));  // a further 0.1 down
    EXPECT_EQ(tick_end(lines), pd(2.0f, 2.85f));                            // ticks below
}

TEST_F(Axes, YAxisNumbersAreRightAlignedLeftOfTheAxis) {
    open_plot("yaxis.plt");
    PLTAXS(1.5f, 1.0f, "Level", 5, -5.0f, 90.0f, 10.0f, -5.0f, 2, 0.0f, 1.0f);
    const Lines lines = records("yaxis.plt");
    EXPECT_EQ(move_before(lines, "10.00"), pu(1.5f - 0.1f - 5.0f * 0.125f, 1.0f - 0.078f));
    EXPECT_EQ(move_before(lines, "-5.00"), pu(1.5f - 0.1f - 5.0f * 0.125f, 4.0f - 0.078f));
    EXPECT_EQ(tick_end(lines), pd(1.65f, 1.0f));  // ticks into the plot, away from the numbers
    // The title reads upward left of the numbers, as far out as the value one
    // step past the middle tick needs ("-10.00", 6 characters).
    EXPECT_EQ(move_before(lines, "Level"), pu(1.5f - (0.1f + 6.0f * 0.125f + 0.175f), 1.0f + 2.5f - 5.0f * 0.07f));
}

TEST_F(Axes, NegativeAngleIsBroughtIntoRangeForTheCaller) {
    open_plot("angle.plt");
    REAL angle = -450.0f;
    PLTAXS(5.0f, 5.0f, "Down", 4, 2.0f, angle, 0.0f, 1.0f, 0, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(angle, 270.0f);
    const Lines lines = records("angle.plt");
    EXPECT_EQ(lines[lines.size() - 2], pd(5.0f, 5.0f));  // the axis ends back at its start
    const auto far_end = std::find_if(lines.rbegin(), lines.rend(),
                                      [](const std::string& l) { return l.find(" PU") != std::string::npos; });
    EXPECT_EQ(far_end->substr(far_end->size() - 17), pu(5.0f, 3.0f));  // drawn from its far end below
}

TEST_F(Axes, NumberIsDrawnAsFormatted) {
    open_plot("num.plt");
    PLTNUM(1.0f, 1.0f, 0.1f, 12.7f, 0.0f, 2);
    PLTNUM(1.0f, 2.0f, 0.1f, 12.7f, 0.0f, -1);
    const Lines lines = records("num.plt");
    EXPECT_EQ(label_text(lines[6]), "12.70");
    EXPECT_EQ(label_text(lines[10]), "13");
}

TEST_F(Axes, NumbersTakeTheDecimalsTheirValuesNeedNeverFewer) {
    struct Row {
        REAL first, step;
        INTEGER ndec;
        Lines numbers;
    } rows[] = {
        {0.0f, 9.2f, 0, {"0.0", "9.2", "18.4", "27.6", "36.8"}},     // not 28 at 27.6
        {9.2f, 0.05f, 1, {"9.20", "9.25", "9.30", "9.35", "9.40"}},  // not 9.3 twice
        {0.0f, 2.5f, 1, {"0.0", "2.5", "5.0", "7.5", "10.0"}},       // already right: as asked
        {0.0f, 5.0f, -1, {"0", "5", "10", "15", "20"}},
        {0.0f, 0.125f, 1, {"0.000", "0.125", "0.250", "0.375", "0.500"}},
        {0.0f, 0.5f, 3, {"0.000", "0.500", "1.000", "1.500", "2.000"}},  // never fewer than asked
    };
    int k = 0;
    for (const Row& r : rows) {
        const std::string name = "decimals" + std::to_string(k++) + ".plt";
        open_plot(name);
        PLTAXS(1.5f, 1.0f, "t", -1, 4.0f, 0.0f, r.first, r.step, r.ndec, 0.0f, 1.0f);
        Lines numbers;
        for (const std::string& l : records(name.c_str()))
            if (l.rfind(" LB", 0) == 0 && label_text(l) != "t") numbers.push_back(label_text(l));
        EXPECT_EQ(numbers, r.numbers) << r.first << " + " << r.step;
    }
}

}  // namespace
}  // namespace datrax::testing
