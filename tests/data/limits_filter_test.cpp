// Extremes, plot ranges, the limits question and the smoothing filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/state.h"
#include "data/filter.h"
#include "data/limits.h"
#include "platform/run_stop.h"
#include "records/missing.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Screen;

void load(INTEGER k, std::initializer_list<float> values) {
    int i = 0;
    for (const float v : values) Y(++i, k) = v;
    dset.NPTS(k) = i;
}

TEST(Extrem, RangesAndEdges) {
    Screen s;
    load(1, {3, -1, 4, 1, -5, 9, 2});
    Y(8, 1) = 100.0f;  // beyond NPTS: never read
    struct Case {
        INTEGER i1, i2;
        float lo, hi;
    } cases[] = {{1, 7, -5, 9}, {2, 4, -1, 4}, {3, 3, 4, 4}, {4, 2, 1, 1}, {6, 99, 2, 9}, {8, 9, 0, 0}, {0, 3, 0, 0}};
    for (const auto& c : cases) {
        REAL lo = -77, hi = -77;
        EXTREM(lo, hi, c.i1, c.i2, 1);
        EXPECT_EQ(lo, c.lo) << c.i1 << ".." << c.i2;
        EXPECT_EQ(hi, c.hi) << c.i1 << ".." << c.i2;
    }
    dset.NPTS(2) = 0;
    Y(1, 2) = 50.0f;  // an earlier file's sample
    REAL lo = -77, hi = -77;
    EXTREM(lo, hi, 1, 10, 2);
    EXPECT_EQ(lo, 0.0f);
    EXPECT_EQ(hi, 0.0f);
}

// A range of millions of samples goes in spans on two threads: extremes and
// missing samples at the spans' edges, a missing first sample, and the last
// of equal zeros, all as a scan in order finds them.
TEST(Extrem, LongRangesInSpans) {
    Screen s;
    constexpr INTEGER n = 3000000;
    for (INTEGER i = 1; i <= n; ++i) Y(i, 1) = static_cast<float>(i % 1000) / 1000.0f - 0.5f;
    Y(1, 1) = kMissing;
    Y(n / 8 * 3, 1) = -7.0f;         // the end of a span
    Y(n / 8 * 3 + 1, 1) = kMissing;  // the start of the next
    Y(n, 1) = 8.0f;
    dset.NPTS(1) = n;
    REAL lo, hi;
    EXTREM(lo, hi, 1, n, 1);
    EXPECT_EQ(lo, -7.0f);
    EXPECT_EQ(hi, 8.0f);
    EXPECT_EQ(count_missing({&Y(1, 1), static_cast<size_t>(n)}), 2);
    for (INTEGER i = 1; i <= n; ++i) Y(i, 1) = i % 3 == 0 ? 0.0f : -0.0f;  // the last zero is +0
    EXTREM(lo, hi, 2, n, 1);
    EXPECT_FALSE(std::signbit(lo));
    EXPECT_FALSE(std::signbit(hi));
    EXTREM(lo, hi, 2, n - 1, 1);
    EXPECT_TRUE(std::signbit(lo) && std::signbit(hi));
    EXPECT_EQ(count_missing({&Y(1, 1), static_cast<size_t>(n)}), 0);
}

// Short ranges of every length up to a few vector widths, with missing
// samples and the extremes in every place: as a scan in order finds them.
TEST(Extrem, EveryLengthAndPlaceAgreesWithAScanInOrder) {
    Screen s;
    for (INTEGER n = 1; n <= 40; ++n) {
        for (INTEGER at = 1; at <= n; ++at) {
            for (INTEGER i = 1; i <= n; ++i) Y(i, 1) = i % 5 == 2 ? kMissing : static_cast<float>(i % 7);
            Y(at, 1) = at % 2 ? -50.0f : 50.0f;
            dset.NPTS(1) = n;
            std::vector<REAL> present;
            for (INTEGER i = 1; i <= n; ++i)
                if (!is_missing(Y(i, 1))) present.push_back(Y(i, 1));
            const auto [want_lo, want_hi] = std::ranges::minmax(present);
            REAL lo = -77, hi = -77;
            EXTREM(lo, hi, 1, n, 1);
            ASSERT_EQ(lo, want_lo) << n << " " << at;
            ASSERT_EQ(hi, want_hi) << n << " " << at;
            ASSERT_EQ(count_missing({&Y(1, 1), static_cast<size_t>(n)}), n - std::ssize(present)) << n << " " << at;
        }
    }
}

TEST(Drange, OverlaidSetsShareOneRange) {
    Screen s;
    load(1, {1, 2, 3});
    load(2, {-4, 0, 10, 11});
    REAL lo1, hi1, lo2, hi2;
    sel.NDSETS = 2;
    sel.STYLE = 1;
    DRANGE(lo1, hi1, lo2, hi2, 1, 4);
    EXPECT_EQ(lo1, -4.0f);
    EXPECT_EQ(hi1, 11.0f);
    EXPECT_EQ(lo2, -4.0f);
    EXPECT_EQ(hi2, 11.0f);
    sel.STYLE = 2;
    DRANGE(lo1, hi1, lo2, hi2, 1, 2);
    EXPECT_EQ(lo1, 1.0f);
    EXPECT_EQ(hi1, 2.0f);
    EXPECT_EQ(lo2, -4.0f);
    // Set 1 has no sample at index 4; overlaid, set 2 alone gives the range.
    sel.STYLE = 1;
    DRANGE(lo1, hi1, lo2, hi2, 4, 4);
    EXPECT_EQ(lo1, 11.0f);
    EXPECT_EQ(hi1, 11.0f);
    // ... and an empty set 2 widens nothing.
    dset.NPTS(2) = 0;
    DRANGE(lo1, hi1, lo2, hi2, 1, 3);
    EXPECT_EQ(lo1, 1.0f);
    EXPECT_EQ(hi1, 3.0f);
}

TEST(Setlim, AsksUntilUpperIsGreater) {
    Screen s;
    REAL lo = 0.0f, hi = 1.0f;
    s.keys("5{enter}2{enter}x2{enter}2{enter}y2{enter}5{enter}");
    SETLIM(lo, hi);
    EXPECT_EQ(lo, 2.0f);
    EXPECT_EQ(hi, 5.0f);
    EXPECT_EQ(s.row(scr.MAXROW), "");
    EXPECT_EQ(s.window().keys_left(), 0u);

    s.keys("{enter}{enter}");  // empty answers keep limits already in order
    SETLIM(lo, hi);
    EXPECT_EQ(lo, 2.0f);
    EXPECT_EQ(hi, 5.0f);
}

TEST(Setlim, ShowsTheIncompatiblePair) {
    Screen s;
    REAL lo = 0.0f, hi = 1.0f;
    s.keys("5{enter}2{enter}");
    EXPECT_THROW(SETLIM(lo, hi), RunStop);  // waits for the key after the message
    EXPECT_EQ(s.row(scr.MAXROW), "Incompatible Limits : [5.0000,2.0000] redo -->");
}

TEST(Filtwt, WeightsForShortFilters) {
    Screen s;
    FilterWeights w;
    pp.DTF = 60.0f;
    pp.NF = 0;
    FILTWT(w);
    EXPECT_EQ(pp.NF, 1);
    EXPECT_EQ(w(1), 1.0f);
    EXPECT_EQ(s.row(scr.MAXROW), "filter length 0, setting = 1");

    pp.NF = 3;
    FILTWT(w);
    const float x = 2.0f * 3.1415927f / 3.0f;
    const float edge = std::pow(std::sin(x) / x, 4.0f);
    EXPECT_NEAR(w(1), edge / (1.0f + 2.0f * edge), 1e-6);
    EXPECT_NEAR(w(2), 1.0f / (1.0f + 2.0f * edge), 1e-6);
    EXPECT_EQ(w(1), w(3));
    EXPECT_NEAR(w(1) + w(2) + w(3), 1.0f, 1e-6);

    // An even length has one more weight after the centre: offsets -1..2.
    pp.NF = 4;
    FILTWT(w);
    EXPECT_EQ(w(1), w(3));
    EXPECT_GT(w(2), w(1));
    EXPECT_LT(w(4), w(1));
    EXPECT_NEAR(w(1) + w(2) + w(3) + w(4), 1.0f, 1e-6);
}

TEST(Filtwt, IntervalCancelsAndZeroIntervalUsesTheCancelledForm) {
    Screen s;
    FilterWeights a, b, c;
    pp.NF = 101;
    pp.DTF = 1.0f;
    FILTWT(a);
    pp.DTF = 3600.0f;
    FILTWT(b);
    pp.DTF = 0.0f;
    FILTWT(c);
    float sum = 0.0f;
    for (int i = 1; i <= 101; ++i) {
        EXPECT_NEAR(a(i), b(i), 1e-6) << i;
        EXPECT_NEAR(a(i), c(i), 1e-6) << i;
        EXPECT_TRUE(std::isfinite(c(i)));
        sum += c(i);
    }
    EXPECT_NEAR(sum, 1.0f, 1e-5);
    pp.NF = -3;
    c(1) = 42.0f;
    FILTWT(c);
    EXPECT_EQ(c(1), 42.0f);
    EXPECT_EQ(pp.NF, -3);
}

TEST(FilteredValue, EndsRepeatTheFirstAndLastSample) {
    Screen s;
    load(1, {10, 20, 30, 40, 50, 60});
    FilterWeights w;
    pp.NF = 5;
    for (int j = 1; j <= 5; ++j) w(j) = static_cast<float>(j);  // weights that tell the offsets apart
    // i = 1: offsets -2, -1, 0 all map to sample 1.
    EXPECT_EQ(filtered_value(w, 1, 1), 1 * 10 + 2 * 10 + 3 * 10 + 4 * 20 + 5 * 30.0f);
    EXPECT_EQ(filtered_value(w, 6, 1), 1 * 40 + 2 * 50 + 3 * 60 + 4 * 60 + 5 * 60.0f);
    pp.NF = 4;  // M = 1: offsets -1, 0, 1, 2
    EXPECT_EQ(filtered_value(w, 3, 1), 1 * 20 + 2 * 30 + 3 * 40 + 4 * 50.0f);
    pp.NF = 1;
    EXPECT_EQ(filtered_value(w, 4, 1), 40.0f);
}

}  // namespace
}  // namespace datrax
