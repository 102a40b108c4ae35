// The number formatter: exact texts for values, decimals and limits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/state.h"
#include "base/numbers.h"
#include "plotlib/plotlib.h"

namespace datrax {
namespace {

std::string format(REAL value, INTEGER ndec, INTEGER numdig = 8) {
    NUMDIG(numdig);
    Text<32> text;
    INTEGER nchar = -1;
    FMTNUM(value, ndec, text, nchar);
    EXPECT_EQ(static_cast<int>(text.trimmed().size()), nchar) << value;
    return std::string(text.view().substr(0, static_cast<size_t>(nchar)));
}

TEST(Fmtnum, ExamplesTable) {
    struct Row {
        REAL value;
        INTEGER ndec;
        const char* text;
    } rows[] = {
        {12.7f, 2, "12.70"}, {12.7f, 0, "13."},    {12.7f, -1, "13"},           {-0.5f, 1, "-0.5"},
        {0.0f, 2, "0.00"},   {9.996f, 2, "10.00"}, {123456789.0f, 2, "1.23E8"}, {0.0000000012f, 1, "1.2E-9"},
    };
    for (const Row& r : rows) EXPECT_EQ(format(r.value, r.ndec), r.text) << r.value << " " << r.ndec;
}

// The exponent and the rounding come from the single-precision value, not
// from its double-precision neighbour.
TEST(Fmtnum, SinglePrecisionExponentAndRounding) {
    EXPECT_EQ(format(1.0e-8f, 4), "1.0000E-8");
    EXPECT_EQ(format(1.0e-9f, 1), "1.0E-9");
    EXPECT_EQ(format(1.005f, 2), "1.01");
    EXPECT_EQ(format(-2.675f, 2), "-2.68");
    EXPECT_EQ(format(1.0e-45f, 1, 8), "1.4E-45");
}

TEST(Fmtnum, ExponentFormEdges) {
    EXPECT_EQ(format(1e10f, 2), "10.00E9");  // exact power of ten: mantissa 10
    EXPECT_EQ(format(-2.5e12f, 1), "-2.5E12");
    EXPECT_EQ(format(6000000.0f, -1), "6000000");           // below the limit stays fixed
    EXPECT_EQ(format(123456789.0f, 2, 0), "123456792.00");  // NUMDIG 0: never the exponent form
    EXPECT_EQ(format(0.001f, 3), "0.001");
    EXPECT_EQ(format(0.5f, -1), "1");
    EXPECT_EQ(format(0.996f, 2), "1.00");
}

TEST(Fmtnum, NeverWritesPastItsBuffer) {
    EXPECT_EQ(format(std::numeric_limits<REAL>::infinity(), 2), "*");
    EXPECT_EQ(format(std::nanf(""), 2), "*");
    const std::string big = format(3.0e38f, 9, 0);  // fixed form would not fit 32 characters
    EXPECT_LE(big.size(), 32u);
    EXPECT_EQ(big.substr(big.size() - 3), "E38");
    const std::string tiny = format(1e-45f, 9);
    EXPECT_EQ(tiny.substr(0, 2), "1.");
    EXPECT_EQ(tiny.substr(tiny.size() - 4), "E-45");

    // Only the first NCHAR characters are written; the rest stays.
    INTEGER eight = 8;
    NUMDIG(eight);
    Text<32> text(std::string(32, '#'));
    INTEGER nchar = 0;
    FMTNUM(1.5f, 1, text, nchar);
    EXPECT_EQ(text.view().substr(0, 5), "1.5##");
}

TEST(Numdig, QueryLeavesTheValue) {
    INTEGER n = 5;
    NUMDIG(n);
    INTEGER q = -1;
    NUMDIG(q);
    EXPECT_EQ(q, 5);
    INTEGER again = -1;
    NUMDIG(again);
    EXPECT_EQ(again, 5);
}

}  // namespace
}  // namespace datrax
