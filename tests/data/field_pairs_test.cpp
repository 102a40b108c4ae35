// Two fields converted at once must give exactly what converting them one
// at a time gives, and go at once exactly where both are plain numbers with
// their points where expected.
#include "records/field_pairs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace datrax {
namespace {

TEST(FieldPairs, PlannedWhereTheBytesCanBeRead) {
    FieldPair p;
    EXPECT_TRUE(p.plan(0, 12, 6, 12, 12, 6, 24));   // the first read from its start
    EXPECT_FALSE(p.plan(0, 12, 6, 12, 12, 6, 15));  // ... which would pass the line's end
    EXPECT_TRUE(p.plan(20, 8, 3, 28, 16, 6, 44));
    EXPECT_FALSE(p.plan(0, 7, 3, 12, 12, 6, 24));   // too narrow
    EXPECT_FALSE(p.plan(0, 12, 6, 12, 17, 6, 40));  // too wide
}

#if defined(DATRAX_FIELD_PAIRS)
// Fields of 12 columns with six decimals: plain numbers, signs, zeros, and
// shapes that only the general way reads or that are faults.
const std::vector<std::string> kFields = {"   12.345678", "  -12.345678", "    0.000000",
                                          "   -0.000000", "  999.999999", "-1234.567890",
                                          "   +1.500000", "   1 .500000", "  --1.000000",
                                          "           -", "           .", "  1.2.345678",
                                          "         NaN", "   1.5e+003 ", "\t   1.500000",
                                          "   12.34567 ", "12345.678901", "    12345678",
                                          "            ", "  12.3456789", std::string("  12.34\0 678", 12)};

struct Single {
    bool quick;
    bool point_moved;
    REAL value;
};

Single one_at_a_time(const std::string& line, size_t col, bool from_start) {
    PointPlace point(6);
    Single s{};
    s.quick = convert_plain_real_in_line(line.data() + col, 12, from_start, 6, point, s.value);
    s.point_moved = point.at != PointPlace(6).at;
    return s;
}

TEST(FieldPairs, SameAsOneAtATime) {
    if (!field_pairs()) GTEST_SKIP() << "the processor has no 256-bit vectors";
    int at_once = 0;
    for (const std::string& a : kFields) {
        ASSERT_EQ(a.size(), 12u) << a;
        for (const std::string& b : kFields) {
            // Read ending at their ends after other text, and the first from
            // the start of the line.
            for (const size_t col : {size_t{7}, size_t{0}}) {
                const std::string line = std::string(col, '7') + a + b + "-.e";
                FieldPair pair;
                ASSERT_TRUE(pair.plan(static_cast<int64_t>(col), 12, 6, static_cast<int64_t>(col) + 12, 12, 6,
                                      static_cast<int64_t>(line.size())));
                PairPoints points;
                points.expect(pair, PointPlace(6), PointPlace(6));
                REAL two[2] = {-7.0f, -7.0f};
                const bool pair_quick = convert_field_pair(line.data(), pair, points, two);
                const Single first = one_at_a_time(line, col, col + 12 < 16),
                             second = one_at_a_time(line, col + 12, false);
                const bool plus = (a + b).find('+') != std::string::npos;
                const bool expected = first.quick && second.quick && !first.point_moved && !second.point_moved && !plus;
                SCOPED_TRACE("\"" + a + "\" \"" + b + "\"");
                ASSERT_EQ(pair_quick, expected);
                if (pair_quick) {
                    ++at_once;
                    EXPECT_EQ(std::memcmp(&two[0], &first.value, sizeof(REAL)), 0);
                    EXPECT_EQ(std::memcmp(&two[1], &second.value, sizeof(REAL)), 0);
                } else {
                    EXPECT_EQ(two[0], -7.0f);  // nothing stored
                    EXPECT_EQ(two[1], -7.0f);
                }
            }
        }
    }
    EXPECT_EQ(at_once, 2 * 7 * 7);  // the seven plain fields with each other
}

// A point found elsewhere by the one-at-a-time way is expected there next.
TEST(FieldPairs, PointsExpectedWhereTheyMoved) {
    if (!field_pairs()) GTEST_SKIP() << "the processor has no 256-bit vectors";
    const std::string line = "  12.3456789    12345678";
    PointPlace p0(6), p1(6);
    REAL v0, v1, two[2];
    ASSERT_TRUE(convert_plain_real_in_line(line.data(), 12, true, 6, p0, v0));
    ASSERT_TRUE(convert_plain_real_in_line(line.data() + 12, 12, false, 6, p1, v1));
    FieldPair pair;
    ASSERT_TRUE(pair.plan(0, 12, 6, 12, 12, 6, 24));
    PairPoints points;
    points.expect(pair, PointPlace(6), PointPlace(6));
    EXPECT_FALSE(convert_field_pair(line.data(), pair, points, two));
    points.expect(pair, p0, p1);
    ASSERT_TRUE(convert_field_pair(line.data(), pair, points, two));
    EXPECT_EQ(two[0], v0);
    EXPECT_EQ(two[1], v1);
    EXPECT_EQ(two[1], 12.345678f);  // six implied decimals
}
#endif

}  // namespace
}  // namespace datrax
