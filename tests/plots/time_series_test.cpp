// The time-series plot's questions, windows and browse commands.
#include <gtest/gtest.h>

#include <cmath>

#include "plots_fixture.h"

namespace datrax::testing {
namespace {

REAL wave(INTEGER i) { return std::sin(static_cast<REAL>(i) * 0.1f); }

class TimeSeries : public PlotsTest {};

TEST_F(TimeSeries, FirstCallAsksNoChangeQuestions) {
    load(1, 100, wave, "G97001.DAT");
    plot("nn{enter}q");
    EXPECT_FALSE(mainv.new_data);
    EXPECT_EQ(plotw.I1, 1);
    EXPECT_EQ(plotw.I2, 100);
}

}  // namespace
}  // namespace datrax::testing
