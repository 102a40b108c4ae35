// Missing samples (NaN) in the plots and their services: the pen lifts
// across them, limits, the filter, the histogram statistics and bins count
// only present samples, and a mark snaps to a present sample. The expected
// values are computed here from the present samples alone.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "data/filter.h"
#include "data/limits.h"
#include "plots/histogram_counts.h"
#include "plots_fixture.h"

namespace datrax::testing {
namespace {

constexpr REAL kNaN = std::numeric_limits<REAL>::quiet_NaN();

// 40 samples of a ramp with a spike value; samples 11-20 and 30 are missing.
bool gap(INTEGER i) { return (i >= 11 && i <= 20) || i == 30; }
REAL ramp(INTEGER i) { return gap(i) ? kNaN : static_cast<REAL>(i) * 0.5f; }

class MissingSamples : public PlotsTest {
protected:
    MissingSamples() {
        load(1, 40, ramp, "gap.dat");
        gp.PLTNAM(1) = "gap.plt";
        gp.NPLT(1) = 7;
    }
    std::vector<REAL> present() const {
        std::vector<REAL> v;
        for (INTEGER i = 1; i <= 40; ++i)
            if (!gap(i)) v.push_back(ramp(i));
        return v;
    }
};

TEST_F(MissingSamples, LimitsAndStatisticsOfThePresentSamples) {
    REAL lo = 0, hi = 0;
    EXTREM(lo, hi, 1, 40, 1);
    EXPECT_EQ(lo, 0.5f);
    EXPECT_EQ(hi, 20.0f);
    EXTREM(lo, hi, 11, 20, 1);  // nothing present: no limits
    EXPECT_EQ(lo, 0.0f);
    EXPECT_EQ(hi, 0.0f);
    EXTREM(lo, hi, 15, 25, 1);
    EXPECT_EQ(lo, 10.5f);
    EXPECT_EQ(hi, 12.5f);

    const std::vector<REAL> p = present();
    const SampleStatistics all = sample_statistics(std::span<const REAL>(Y.column(1), 40));
    const SampleStatistics ref = sample_statistics(p);
    EXPECT_EQ(all.mean, ref.mean);
    EXPECT_EQ(all.sd, ref.sd);
    EXPECT_EQ(all.power, ref.power);
    double sum = 0;
    for (const REAL v : p) sum += v;
    EXPECT_NEAR(all.mean, sum / static_cast<double>(p.size()), 1e-5);

    INTEGER counts[25];
    count_bins(std::span<const REAL>(Y.column(1), 40), 0.5f, 20.0f, counts, 25);
    INTEGER total = 0;
    for (const INTEGER c : counts) total += c;
    EXPECT_EQ(total, static_cast<INTEGER>(p.size()));
}

TEST_F(MissingSamples, FilterRenormalisesOverThePresentSamples) {
    pp.NF = 5;
    pp.DTF = 1.0f;
    FILTWT(plotw.W);
    EXPECT_TRUE(std::isnan(filtered_value(plotw.W, 15, 1)));
    // Sample 9: window 7..11, sample 11 missing.
    double s = 0, w = 0;
    for (INTEGER j = 1; j <= 5; ++j) {
        const INTEGER at = 9 + j - 3;
        if (gap(at)) continue;
        s += plotw.W(j) * ramp(at);
        w += plotw.W(j);
    }
    EXPECT_NEAR(filtered_value(plotw.W, 9, 1), s / w, 1e-5);
    // Without a gap in the window the value is the plain weighted sum.
    REAL plain = 0;
    for (INTEGER j = 1; j <= 5; ++j) plain += plotw.W(j) * ramp(3 + j - 3);
    EXPECT_EQ(filtered_value(plotw.W, 3, 1), plain);
}

// The curve of the plot file: pen up across the gap, never a line through it.
TEST_F(MissingSamples, PenLiftsAcrossTheGap) {
    plot("nn{enter}syq");
    const std::vector<std::string> lines = file_lines("gap.plt");
    std::string moves;  // U for a pen-up move, D for a pen-down move
    for (const std::string& l : lines) {
        if (l.rfind(" PU", 0) == 0) moves += 'U';
        if (l.rfind(" PD", 0) == 0) moves += 'D';
    }
    // Samples 1-10, 21-29 and 31-40: each run begins with the pen up.
    std::string curve = "U";
    curve.append(9, 'D').append(1, 'U').append(8, 'D').append(1, 'U').append(9, 'D');
    EXPECT_NE(moves.find(curve), std::string::npos) << moves;
}

}  // namespace
}  // namespace datrax::testing
