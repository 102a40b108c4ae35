// Default plot file names.
#include "app/plot_names.h"

#include <gtest/gtest.h>

namespace datrax {
namespace {

TEST(Sufnam, SuffixRules) {
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"G97001.DAT", "G97001h.plt"},
        {"C:\\DATA\\G97001.DAT", "C:\\DATA\\G97001h.plt"},
        {"ABCDEFGH.DAT", "ABCDEFGHh.plt"},
        {"bf240301.ggp", "bf240301h.plt"},  // bf240302.ggp must not share it
        {"bf240302.ggp", "bf240302h.plt"},
        {"FILE", "FILEh.plt"},
        {"  g24123.dat", "g24123h.plt"},
        {"/home/user/data/g24123.dat", "/home/user/data/g24123h.plt"},
        {"/home/user/data/longname1.dat", "/home/user/data/longname1h.plt"},
        {"/home/user/data/a_rather_long_name_x.dat", "/home/user/data/a_rather_long_name_h.plt"},
        {"123456789012345678901234567890123456.dat", "12345678901234567890123456789012345h.plt"},
        {"dir.d/x", "dir.d/xh.plt"},
        {"1234567890123456789012345678901234567890", "12345678901234567890123456789012345h.plt"},
    };
    for (const Case& c : cases) {
        Text<40> name(c.name);
        SUFNAM(name, "h");
        EXPECT_EQ(name.trimmed(), c.expected) << c.name;
    }
}

TEST(Defplt, BothNamesAndTheirLengths) {
    Arr1<FileName, 2> fname;
    fname(1) = "G97001.DAT";
    fname(2) = "/data/pb0101.ggp";
    DEFPLT(fname, 1);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "G97001.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "G97001h.plt");
    EXPECT_EQ(gp.NPLT(1), 10);
    EXPECT_EQ(gp.NPLT(2), 11);
    DEFPLT(fname, 2);
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "/data/pb0101.plt");
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "/data/pb0101h.plt");
    EXPECT_EQ(gp.NPLT(2), 17);
}

}  // namespace
}  // namespace datrax
