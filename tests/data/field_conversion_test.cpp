#include "records/field_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "records/field_pairs.h"

namespace datrax {
namespace {

TEST(FieldConversion, Integers) {
    struct Case {
        const char* field;
        bool ok;
        INTEGER value;
    } cases[] = {
        {"", true, 0},
        {"     ", true, 0},
        {"  42", true, 42},
        {" 1 2 3", true, 123},
        {"-17", true, -17},
        {"+ 5", true, 5},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"99999999999999", false, 0},
        {"-", false, 0},
        {"1.0", false, 0},
        {"1-", false, 0},
        {"--1", false, 0},
        {"\t1", false, 0},
        {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        INTEGER v = -999;
        EXPECT_EQ(convert_integer(c.field, v), c.ok) << '"' << c.field << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << '"' << c.field << '"';
        }
    }
}

TEST(FieldConversion, Reals) {
    struct Case {
        const char* field;
        int d;
        bool ok;
        float value;
    } cases[] = {
        {"   12.345678", 6, true, 12.345678f},
        {"1234567", 6, true, 1.234567f},
        {"15", 5, true, 0.00015f},
        {"1.5E3", 4, true, 1500.0f},
        {"1.5e3", 0, true, 1500.0f},
        {"1.5D3", 0, true, 1500.0f},
        {"1.5d-3", 0, true, 0.0015f},
        {"1.5+3", 0, true, 1500.0f},
        {"1.5-3", 0, true, 0.0015f},
        {"15E1", 2, true, 1.5f},
        {"1 2 . 5", 3, true, 12.5f},
        {"", 6, true, 0.0f},
        {"    ", 6, true, 0.0f},
        {"-.5", 0, true, -0.5f},
        {"+7.", 2, true, 7.0f},
        {"0.000", 0, true, 0.0f},
        {"60", 5, true, 0.0006f},
        {"1E 2", 0, true, 100.0f},
        {"1e-50", 0, true, 0.0f},
        {"-", 0, false, 0},
        {".", 0, false, 0},
        {"1.2.3", 0, false, 0},
        {"abc", 0, false, 0},
        {"1.5E", 0, false, 0},
        {"E5", 0, false, 0},
        {"1e39", 0, false, 0},
        {"1.5E+-3", 0, false, 0},
        {"1,5", 0, false, 0},
        {"1\t5", 0, false, 0},
        {"1.5x", 0, false, 0},
        // 8 to 16 columns, where plain fields are converted sixteen bytes at once:
        // every shape next to the plain one must still read as before.
        {"  -53.123456", 6, true, -53.123456f},
        {"12345678", 6, true, 12.345678f},
        {"  12345678", 3, true, 12345.678f},
        {"1234567890123456", 6, true, 1234567890.123456f},
        {"-123456789012345", 0, true, -123456789012345.0f},
        {"9999999999999999", 0, true, 9999999999999999.0f},
        {"+1.000000", 6, true, 1.0f},
        {".1234567", 2, true, 0.1234567f},
        {"1234567.", 2, true, 1234567.0f},
        {"-.000001", 0, true, -0.000001f},
        {"0000000.0000001", 0, true, 1e-7f},
        {"  1 2.5   ", 3, true, 12.5f},
        {"  - 12.5", 0, true, -12.5f},
        {"  12.5e3", 0, true, 12500.0f},
        {"   NaN   ", 0, false, 0},
        {"        ", 0, true, 0.0f},
        {"       .", 0, false, 0},
        {"--12.5  ", 0, false, 0},
        {"   +-1.0", 0, false, 0},
        {"  12.5.6", 0, false, 0},
        {" 12.5 x ", 0, false, 0},
        {"\t  12.500", 0, false, 0},
        {"12345678901234567", 0, true, 12345678901234567.0f},
    };
    for (const auto& c : cases) {
        REAL v = -999.0f;
        EXPECT_EQ(convert_real(c.field, c.d, v), c.ok) << '"' << c.field << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << '"' << c.field << '"';
        }
    }
}

// Every decimal converts to the REAL nearest to it, on the fast path and
// off it (long digit strings, large exponents, halfway-looking values).
TEST(FieldConversion, RealsAreCorrectlyRounded) {
    std::mt19937_64 rng(12345);
    for (int n = 0; n < 200000; ++n) {
        std::string s;
        if (rng() % 2) s += '-';
        const int digits = 1 + static_cast<int>(rng() % (n % 10 == 0 ? 60 : 12));
        const int point = static_cast<int>(rng() % (digits + 1));
        for (int i = 0; i < digits; ++i) {
            if (i == point) s += '.';
            s += static_cast<char>('0' + rng() % 10);
        }
        if (rng() % 3 == 0) {
            s += 'e';
            s += std::to_string(static_cast<int>(rng() % 80) - 40);
        }
        REAL v = 0.0f;
        const float expected = std::strtof(s.c_str(), nullptr);
        ASSERT_EQ(convert_real(s, 0, v), !std::isinf(expected)) << s;  // overflow is an error
        if (!std::isinf(expected)) {
            ASSERT_EQ(v, expected) << s;
        }
    }
    // Decimals at and near the midpoints between neighbouring REALs, where
    // a conversion through double precision could round twice.
    for (int n = 0; n < 100000; ++n) {
        const float f = std::ldexp(static_cast<float>(rng() % (1u << 24)), static_cast<int>(rng() % 80) - 50);
        const double mid = (static_cast<double>(f) + std::nextafter(f, INFINITY)) / 2.0;
        for (const char* fmt : {"%.70g", "%.17g", "%.16g", "%.15g", "%.9g"}) {
            char buf[128];
            std::snprintf(buf, sizeof buf, fmt, mid);
            REAL v = 0.0f;
            ASSERT_TRUE(convert_real(buf, 0, v)) << buf;
            ASSERT_EQ(v, std::strtof(buf, nullptr)) << buf;
        }
    }
    REAL v = 0.0f;
    ASSERT_TRUE(convert_real("16777217", 0, v));  // 2^24 + 1: halfway, rounds to even
    EXPECT_EQ(v, 16777216.0f);
    const std::string many = "1." + std::string(300, '0') + "1";
    ASSERT_TRUE(convert_real(many, 0, v));
    EXPECT_EQ(v, 1.0f);
}

// Signed zero, a NUL in a field, and nothing read past a field's end, on
// the sixteen-bytes-at-once path.
TEST(FieldConversion, RealsOfEightToSixteenColumns) {
    REAL v = 1.0f;
    ASSERT_TRUE(convert_real("       -0.", 0, v));
    EXPECT_TRUE(v == 0.0f && std::signbit(v));
    EXPECT_FALSE(convert_real(std::string_view("  12.500\0", 9), 0, v));
    ASSERT_TRUE(convert_real(std::string_view("  12.5009", 8), 0, v));  // nothing past the field is read
    EXPECT_EQ(v, 12.5f);
}

// Fixed-width fields as data files hold them, with a written point or an
// implied one, match strtof on the same decimal.
TEST(FieldConversion, FixedWidthRealsMatchStrtof) {
    std::mt19937_64 rng(2026);
    char field[64], decimal[80];
    int tried = 0, plain = 0, in_line = 0, paired = 0;
    PointPlace point_before(0);
    struct Before {
        std::string field;
        int d = 0;
        float want = 0.0f;
        bool quick_in_place = false;  // quick with the point where d puts it
    } before;
    for (int n = 0; n < 1000000; ++n) {
        const int w = 8 + static_cast<int>(rng() % 9);
        const int d = static_cast<int>(rng() % static_cast<uint64_t>(w - 1));
        const double scale = std::pow(10.0, static_cast<double>(rng() % 16));
        const double x = static_cast<double>(rng() % 100000000000000000) / scale * (rng() % 2 ? -1 : 1);
        REAL v = 0.0f;
        if (rng() % 4 == 0) {
            // Digits only: the point implied d digits from the right.
            const auto digits = static_cast<long long>(std::fabs(x)) % 1000000000000000;
            std::snprintf(field, sizeof field, "%*lld", w, digits);
            const std::string t = std::to_string(digits);
            std::snprintf(decimal, sizeof decimal, "%se-%d", t.c_str(), d);
        } else {
            std::snprintf(field, sizeof field, "%*.*f", w, std::min(d, w - 2), x);
            std::snprintf(decimal, sizeof decimal, "%s", field);
        }
        const std::string_view f(field);
        if (f.size() != static_cast<size_t>(w)) continue;  // too wide for the field
        ASSERT_TRUE(convert_real(f, d, v)) << field;
        const float want = std::strtof(decimal, nullptr);
        ASSERT_EQ(v, want) << field << " d=" << d;
        ScannedReal r;
        ++tried;
        plain += scan_plain_real(f, d, r);
        // The same field inside a line, other characters on both sides, read
        // by one load from either end, the point expected where d puts it or
        // where the field before had it.
        const std::string line = "-7.5e+3 .1234567" + std::string(f) + "9.5-E+ 12345678";
        bool quick_in_place = false;
        for (const bool from_start : {false, true}) {
            REAL q = 0.0f;
            PointPlace expected(d);
            const bool quick = convert_plain_real_in_line(line.data() + 16, f.size(), from_start, d,
                                                          from_start ? point_before : expected, q);
            in_line += quick;
            ASSERT_TRUE(!quick || q == want) << field << " from start " << from_start;
            if (!from_start) quick_in_place = quick && expected.at == PointPlace(d).at;
        }
#if defined(DATRAX_FIELD_PAIRS)
        // The field and the one before, two at a time, their points
        // expected where their decimals put them: at once exactly where
        // both go the quick way with their points there.
        if (!before.field.empty() && field_pairs()) {
            const std::string two = "+-.1 " + before.field + std::string(f) + "e9 -";
            FieldPair pair;
            const int64_t w0 = static_cast<int64_t>(before.field.size());
            ASSERT_TRUE(pair.plan(5, w0, before.d, 5 + w0, w, d, static_cast<int64_t>(two.size())));
            PairPoints points;
            points.expect(pair, PointPlace(before.d), PointPlace(d));
            REAL values[2];
            const bool at_once = convert_field_pair(two.data(), pair, points, values);
            paired += at_once;
            ASSERT_EQ(at_once, before.quick_in_place && quick_in_place) << before.field << field;
            ASSERT_TRUE(!at_once || (values[0] == before.want && values[1] == want)) << before.field << field;
        }
#endif
        before = {std::string(f), d, want, quick_in_place};
    }
#if defined(__SSE2__)
    EXPECT_EQ(plain, tried);  // every one of them took the sixteen-byte path
    // All but the values halfway between two REALs, which only the exact
    // path may round.
    EXPECT_GT(in_line, 2 * tried * 99 / 100);
#endif
    if (field_pairs()) {
        EXPECT_GT(paired, tried / 10);
    }
}

TEST(FieldConversion, Logicals) {
    struct Case {
        const char* field;
        bool ok;
        bool value;
    } cases[] = {{" T", true, true},   {" F", true, false},  {".t", true, true}, {" .false.", true, false},
                 {"  ", false, false}, {" X", false, false}, {"", false, false}};
    for (const auto& c : cases) {
        LOGICAL v = false;
        EXPECT_EQ(convert_logical(c.field, v), c.ok) << '"' << c.field << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << '"' << c.field << '"';
        }
    }
}

}  // namespace
}  // namespace datrax
