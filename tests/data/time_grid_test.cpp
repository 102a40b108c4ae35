// Placing time stamps on a grid: the interval from the whole file, clock
// jitter, repeated and stray stamps, records that changed their rate.
#include "data/time_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "records/missing.h"

namespace datrax {
namespace {

struct Placed {
    int64_t interval = 0;
    int64_t samples = 0;
    INTEGER skipped = 0;
    int64_t first_skipped_line = 0;
    std::vector<int64_t> slots;
    bool fits = true;
};

// Stamps in seconds, on lines 1, 2, ... of a file, added one by one and in
// runs (as a reader adds the plain lines of a piece), so that the steps
// are counted across the ends of runs.
Placed place(const std::vector<int64_t>& seconds, int64_t most = 6000000) {
    TimeGrid g;
    for (size_t i = 0; i < seconds.size();) {
        const size_t n = std::min(seconds.size() - i, i % 2 == 0 ? size_t{7} : size_t{1});
        std::vector<int64_t> ms;
        for (size_t j = i; j < i + n; ++j) ms.push_back(seconds[j] * 1000);
        g.add_run(ms, static_cast<int64_t>(i) + 1);
        i += n;
    }
    Placed p;
    p.fits = g.place(most);
    p.interval = g.interval() / 1000;
    p.samples = g.samples();
    p.skipped = g.skipped();
    p.first_skipped_line = g.first_skipped_line();
    for (size_t i = 0; i < seconds.size(); ++i) p.slots.push_back(g.slot(i));
    return p;
}

std::vector<int64_t> regular(int64_t from, int64_t step, int n) {
    std::vector<int64_t> t;
    for (int i = 0; i < n; ++i) t.push_back(from + step * i);
    return t;
}

TEST(TimeGrid, IntervalIsTheCommonStepOfTheWholeFile) {
    // A 1-minute record with its second line missing: every line kept.
    std::vector<int64_t> t = regular(0, 60, 420);
    t.erase(t.begin() + 1);
    Placed p = place(t);
    EXPECT_EQ(p.interval, 60);
    EXPECT_EQ(p.samples, 420);
    EXPECT_EQ(p.skipped, 0);
    EXPECT_EQ(p.slots[1], 3);

    // A 5-minute record that starts with a 30-minute stretch.
    t = {0, 1800, 3600};
    for (int64_t s = 3900; s < 3600 + 300 * 500; s += 300) t.push_back(s);
    p = place(t);
    EXPECT_EQ(p.interval, 300);
    EXPECT_EQ(p.skipped, 0);

    // Clock jitter of a second on 30 s: steps of 28 to 32 s, no gap.
    t = {0};
    for (int i = 1; i < 3000; ++i) t.push_back(30 * i + (i % 3 == 0 ? 0 : i % 3 == 1 ? 1 : -1));
    p = place(t);
    EXPECT_EQ(p.interval, 30);
    EXPECT_EQ(p.samples, 3000);
    EXPECT_EQ(p.skipped, 0);

    // 90 s is kept exact.
    EXPECT_EQ(place(regular(0, 90, 10)).interval, 90);
}

// Stamps rewritten before they are placed (a year read again) are placed
// by their new steps.
TEST(TimeGrid, RestampedStampsGiveTheInterval) {
    TimeGrid g;
    for (int i = 0; i < 100; ++i) g.add(int64_t{60000} * i, i + 1);
    EXPECT_EQ(g.restamp([](int64_t& t) {
        t *= 2;
        return true;
    }),
              0);
    ASSERT_TRUE(g.place(6000000));
    EXPECT_EQ(g.interval(), 120000);
    EXPECT_EQ(g.samples(), 100);
}

// 15 minutes for a month, then hourly for three months: every reading is
// kept, the hourly ones three missing samples apart.
TEST(TimeGrid, RecordThatChangedItsRateKeepsEveryReading) {
    std::vector<int64_t> t = regular(0, 900, 31 * 96);
    const std::vector<int64_t> hourly = regular(t.back() + 3600, 3600, 92 * 24);
    t.insert(t.end(), hourly.begin(), hourly.end());
    const Placed p = place(t);
    EXPECT_EQ(p.interval, 900);
    EXPECT_EQ(p.skipped, 0);
    EXPECT_EQ(p.samples, 31 * 96 + 4 * 92 * 24);
    // The same the other way round.
    std::vector<int64_t> u = regular(0, 3600, 92 * 24);
    const std::vector<int64_t> quarter = regular(u.back() + 900, 900, 31 * 96);
    u.insert(u.end(), quarter.begin(), quarter.end());
    EXPECT_EQ(place(u).interval, 900);
    EXPECT_EQ(place(u).skipped, 0);
}

// A second sensor writing one second after the first: as many short steps
// as long ones; its lines fall on the main lines' samples and are skipped.
TEST(TimeGrid, SecondSensorOneSecondLaterIsNoInterval) {
    std::vector<int64_t> t;
    for (int i = 0; i < 100; ++i) {
        t.push_back(900 * i);
        t.push_back(900 * i + 1);
    }
    const Placed p = place(t);
    EXPECT_EQ(p.interval, 900);
    EXPECT_EQ(p.samples, 100);
    EXPECT_EQ(p.skipped, 100);
    EXPECT_EQ(p.first_skipped_line, 2);
}

// One mistyped stamp costs its own line only, wherever it jumps.
TEST(TimeGrid, StrayStampCostsOneLine) {
    const struct {
        const char* name;
        size_t at;
        int64_t stamp;
    } cases[] = {
        {"a month ahead", 200, 200 * 3600 + 31 * 86400},
        {"a year ahead in a 1 s file", 200, 200 * 3600 + 366 * 86400},
        {"a month back", 200, 200 * 3600 - 31 * 86400},
        {"the first line a month ahead", 0, 31 * 86400},
        {"the first line a year back", 0, -366 * 86400},
        {"the line before the last ahead", 742, 742 * 3600 + 31 * 86400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int64_t> t = regular(0, 3600, 744);
        t[c.at] = c.stamp;
        const Placed p = place(t, 744);
        EXPECT_TRUE(p.fits);
        EXPECT_EQ(p.interval, 3600);
        EXPECT_EQ(p.skipped, 1);
        EXPECT_EQ(p.first_skipped_line, static_cast<int64_t>(c.at) + 1);
        EXPECT_EQ(p.slots[c.at], 0);
        EXPECT_EQ(p.samples, c.at == 0 ? 743 : 744);
    }
}

TEST(TimeGrid, RepeatedAndBackwardLinesAreSkippedAndCounted) {
    const Placed p = place({0, 60, 60, 120, 30, 180, 180, 240});
    EXPECT_EQ(p.skipped, 3);
    EXPECT_EQ(p.first_skipped_line, 3);
    EXPECT_EQ(p.samples, 5);
    EXPECT_EQ((std::vector<int64_t>{1, 2, 0, 3, 0, 4, 0, 5}), p.slots);
    EXPECT_EQ(skipped_lines_notice(3, 4711), "3 lines skipped (time repeated or out of order), first at line 4711");
    EXPECT_EQ(skipped_lines_notice(1, 9), "1 line skipped (time repeated or out of order), at line 9");
}

TEST(TimeGrid, SpanMustFit) {
    std::vector<int64_t> t = regular(0, 1, 10);
    t.push_back(5999999);
    EXPECT_TRUE(place(t).fits);
    EXPECT_EQ(place(t).samples, 6000000);
    t.back() = 6000000;
    EXPECT_FALSE(place(t).fits);
    // Fewer than two distinct stamps: one sample.
    const Placed one = place({5, 5, 5});
    EXPECT_EQ(one.samples, 1);
    EXPECT_EQ(one.interval, 0);
    EXPECT_EQ(one.skipped, 2);
    EXPECT_EQ(place({}).samples, 0);
}

// A regular record is held as its first stamp and step until a stamp
// leaves the progression; the stamps are then written out, and the lines
// are placed as if every stamp had been kept. The test's runs of 7 and 1
// lines break the progression at and between the ends of runs.
TEST(TimeGrid, ProgressionBrokenAnywherePlacesAsStoredStamps) {
    for (const size_t at : {size_t{1}, size_t{2}, size_t{7}, size_t{8}, size_t{9}, size_t{500}, size_t{999}}) {
        SCOPED_TRACE(at);
        std::vector<int64_t> t = regular(100, 60, 1000);
        t[at] = t[at - 1];  // a repeated stamp
        const Placed p = place(t);
        EXPECT_EQ(p.interval, 60);
        EXPECT_EQ(p.samples, at == 999 ? 999 : 1000);
        EXPECT_EQ(p.skipped, 1);
        EXPECT_EQ(p.first_skipped_line, static_cast<int64_t>(at) + 1);
        for (size_t i = 0; i < t.size(); ++i) ASSERT_EQ(p.slots[i], i == at ? 0 : static_cast<int64_t>(i) + 1) << i;
    }
    // Held to the end: each line its sample, unless they are too many.
    EXPECT_EQ(place(regular(7, 1, 10), 10).slots.back(), 10);
    EXPECT_FALSE(place(regular(7, 1, 11), 10).fits);
    // Held from line 4 (after three header lines), then a repeat after a
    // block header: each keeps its file line.
    TimeGrid g;
    g.add_run(regular(0, 1000, 50), 4);
    g.add(49000, 60);
    ASSERT_TRUE(g.place(100));
    EXPECT_EQ(g.file_line(49), 53);
    EXPECT_EQ(g.first_skipped_line(), 60);
}

// The grid follows a clock set again by more than a third of the interval.
TEST(TimeGrid, ClockSetAgainMovesTheGrid) {
    std::vector<int64_t> t = regular(0, 600, 50);
    const std::vector<int64_t> later = regular(t.back() + 600 + 250, 600, 50);
    t.insert(t.end(), later.begin(), later.end());
    const Placed p = place(t);
    EXPECT_EQ(p.skipped, 0);
    EXPECT_EQ(p.samples, 100);
}

TEST(TimeGrid, SpreadPutsValuesOnTheirSamples) {
    TimeGrid g;
    for (const int64_t s : {0, 60, 120, 120, 180, 480}) g.add(s * 1000, 1);
    ASSERT_TRUE(g.place(100));
    float y[9] = {1, 2, 3, 4, 5, 6, 0, 0, 0};
    g.spread(y);
    ASSERT_EQ(g.samples(), 9);
    const float want[9] = {1, 2, 3, 5, kMissing, kMissing, kMissing, kMissing, 6};
    for (int i = 0; i < 9; ++i) {
        if (std::isnan(want[i])) {
            EXPECT_TRUE(std::isnan(y[i])) << i;
        } else {
            EXPECT_EQ(y[i], want[i]) << i;
        }
    }
}

TEST(TimeGrid, IntervalInItsUnit) {
    Text<20> unit;
    EXPECT_EQ(interval_in_unit(30, unit), 30.0f);
    EXPECT_EQ(unit.str(), "sec");
    EXPECT_EQ(interval_in_unit(90, unit), 1.5f);
    EXPECT_EQ(unit.str(), "min");
    EXPECT_EQ(interval_in_unit(5400, unit), 1.5f);
    EXPECT_EQ(unit.str(), "hr");
    EXPECT_EQ(interval_in_unit(0.25, unit), 0.25f);
    EXPECT_EQ(interval_in_unit(0, unit), 1.0f);
    EXPECT_EQ(unit.str(), "sec");
}

}  // namespace
}  // namespace datrax
