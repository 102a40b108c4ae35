// Time-unit recognition, the conversion table and the default axis titles.
#include "data/units.h"

#include <gtest/gtest.h>

#include "app/state.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Screen;

struct UnitCase {
    const char* tunit;
    INTEGER itu;
    const char* title;
};

TEST(Tunits, StandardUnitsAreNormalisedAndRecognised) {
    const UnitCase cases[] = {
        {"  Hour", 3, "hour"}, {"hr", 3, "hour"}, {"days", 4, "day"}, {"S", 1, "sec"}, {"mins", 2, "min"},
    };
    for (const UnitCase& c : cases) {
        Screen s;
        TFACTS();
        dset.TUNIT = c.tunit;
        dset.DUNIT(1) = "MBAR";
        EXPECT_EQ(TUNITS(), 0) << c.tunit;
        EXPECT_EQ(dset.ITU, c.itu) << c.tunit;
        EXPECT_EQ(pp.ITUP, c.itu);
        EXPECT_FLOAT_EQ(dset.TSCALE, 1.0f);
        EXPECT_EQ(pp.AXTITX(1).trimmed(), c.title);
        EXPECT_EQ(dset.DUNIT(1), Text<20>("mbar"));
        EXPECT_EQ(pp.AXTITY(1), Text<40>("mbar"));
        EXPECT_EQ(pp.AXTITX(2), Text<40>("mbar"));
        EXPECT_EQ(pp.AXTITY(2), Text<40>("relative frequency"));
    }
}

TEST(Tunits, NonstandardUnitAsksToKeep) {
    Screen s;
    TFACTS();
    dset.TUNIT = "no unit";
    s.keys("y");
    EXPECT_EQ(TUNITS(), 0);
    EXPECT_EQ(dset.ITU, 0);
    EXPECT_EQ(pp.ITUP, 0);
    EXPECT_FLOAT_EQ(dset.TSCALE, 1.0f);
    EXPECT_EQ(pp.AXTITX(1), Text<40>("no unit"));
    EXPECT_EQ(s.row(scr.MAXROW), "Nonstandard time units : no unit Keep [y/n] --> y");

    pp.ITUP = 2;
    dset.ITU = 3;
    s.keys("n");
    EXPECT_EQ(TUNITS(), 1);
    EXPECT_EQ(dset.ITU, 3);  // refused: nothing else changes
    EXPECT_EQ(pp.ITUP, 2);
}

TEST(Axlabs, ScalingBetweenUnitsInSinglePrecision) {
    Screen s;
    TFACTS();
    dset.ITU = 2;
    pp.ITUP = 3;
    AXLABS();
    EXPECT_EQ(dset.TSCALE, 1.0f / 60.0f);
    EXPECT_EQ(pp.AXTITX(1), Text<40>("hour"));
    dset.ITU = 4;
    pp.ITUP = 1;
    AXLABS();
    EXPECT_EQ(dset.TSCALE, 3600.0f * 24.0f);
    dset.ITU = 1;
    pp.ITUP = 4;
    AXLABS();
    EXPECT_EQ(dset.TSCALE, 1.0f / (3600.0f * 24.0f));
}

TEST(Axlabs, StartUpValuesGiveMinutesAndFactorOne) {
    Screen s;
    TFACTS();
    AXLABS();
    EXPECT_EQ(pp.AXTITX(1), Text<40>("min"));
    EXPECT_EQ(pp.LAXTX(1), 3);
    EXPECT_FLOAT_EQ(dset.TSCALE, 1.0f);
    EXPECT_EQ(pp.LSUBTD, 4);
    EXPECT_EQ(pp.LSUBTH, 9);
    EXPECT_EQ(pp.AXTITY2, Text<40>("volt"));
}

}  // namespace
}  // namespace datrax
