#include "records/fixed_write.h"

#include <gtest/gtest.h>

#include <vector>

namespace datrax {
namespace {

struct Case {
    const char* format;
    std::vector<OutValue> values;
    const char* expected;
};

TEST(FixedWrite, Records) {
    const Case cases[] = {
        {"(I4,2X,I2,1X,3I2,2F10.6)", {1997, 1, 12, 0, 0, 981.123456f, -3.5f}, "1997   1 12 0 0981.123474 -3.500000"},
        {"(I5,A3,2F10.3)", {3, "(D)", 0.033f, 0.047f}, "    3(D)     0.033     0.047"},
        {"(5I5,7L2,5I3)",
         {11, 3, 3, 0, 0, true, true, true, true, true, false, false, 4, 2, 3, 6, 5},
         "   11    3    3    0    0 T T T T T F F  4  2  3  6  5"},
        {"(I2)", {123}, "**"},
        {"(I3)", {-12}, "-12"},
        {"(I2)", {-12}, "**"},
        {"(F5.2)", {1000.0f}, "*****"},
        {"(F8.6)", {0.5f}, "0.500000"},
        {"(F7.6)", {0.5f}, ".500000"},
        {"(F8.6)", {-0.5f}, "-.500000"},
        {"(F6.2)", {-0.0001f}, "  0.00"},
        {"(F6.2)", {2.345f}, "  2.35"},
        {"(F5.0)", {12.0f}, "  12."},
        {"(F4.1)", {-9.96f}, "****"},
        {"(A5,A)", {"ab", "xyz"}, "   abxyz"},
        {"(A2)", {"abcd"}, "ab"},
        {"(3X,I2,5X)", {7}, "    7"},
        {"(2I3)", {1, 2, 3}, "  1  2\n  3"},
        {"(I2,2(I3))", {1, 2, 3, 4, 5}, " 1  2  3\n  4  5"},
    };
    for (const auto& c : cases) {
        std::string line = "old";
        EXPECT_TRUE(write_fixed(FormatList(c.format), c.values, line)) << c.format;
        EXPECT_EQ(line, c.expected) << c.format;
    }
}

TEST(FixedWrite, RefusesWhatItCannotWrite) {
    std::string line;
    const OutValue real[] = {1.0f}, integer[] = {1};
    EXPECT_FALSE(write_fixed(FormatList("(E12.4)"), real, line));
    EXPECT_FALSE(write_fixed(FormatList("(I5)"), real, line));
    EXPECT_FALSE(write_fixed(FormatList("(F5.1)"), integer, line));
    EXPECT_FALSE(write_fixed(FormatList("(I5"), integer, line));
}

}  // namespace
}  // namespace datrax
