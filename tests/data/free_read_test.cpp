#include "records/free_read.h"

#include <gtest/gtest.h>

#include <vector>

namespace datrax {
namespace {

struct Case {
    const char* name;
    const char* input;
    size_t count;
    ReadOutcome outcome;
    std::vector<float> values;  // after the read; fields start as -1
    const char* next_line;
};

TEST(FreeRead, Reals) {
    const Case cases[] = {
        {"separators and repeat", "10 1.5,2.5 , 3*4.0\nnext\n", 5, ReadOutcome::Done, {10, 1.5f, 2.5f, 4, 4}, "next"},
        {"values over several lines", "1\n\n  2\t3\n4 5 6\nnext\n", 4, ReadOutcome::Done, {1, 2, 3, 4}, "next"},
        {"empty values keep the field", "1,,3\n", 3, ReadOutcome::Done, {1, -1, 3}, nullptr},
        {"a leading comma is an empty value", ",2\n", 2, ReadOutcome::Done, {-1, 2}, nullptr},
        {"comma after a line end separates only", "1,\n2\n", 2, ReadOutcome::Done, {1, 2}, nullptr},
        {"r* alone is r empty values", "2* 3\n", 3, ReadOutcome::Done, {-1, -1, 3}, nullptr},
        {"slash ends the read", "1 2/ 3\nnext\n", 4, ReadOutcome::Done, {1, 2, -1, -1}, "next"},
        {"exponents", "1.5E3 2d-1 1.5+2 -3e0\n", 4, ReadOutcome::Done, {1500, 0.2f, 150, -3}, nullptr},
        {"end of file before all fields", "1 2\n", 3, ReadOutcome::End, {1, 2, -1}, nullptr},
        {"not a number", "1 x2 3\n", 3, ReadOutcome::Error, {1, -1, -1}, nullptr},
        {"zero repeat", "0*5\n", 1, ReadOutcome::Error, {-1}, nullptr},
        {"signed repeat", "-2*5\n", 1, ReadOutcome::Error, {-1}, nullptr},
        {"huge repeat fills what is asked", "99999999999999999999*7\n", 2, ReadOutcome::Done, {7, 7}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<float> v(c.count, -1.0f);
        std::vector<FieldRef> fields(v.begin(), v.end());
        for (size_t i = 0; i < v.size(); ++i) fields[i] = FieldRef(v[i]);
        TextLines in(c.input);
        EXPECT_EQ(read_free(in, fields), c.outcome);
        EXPECT_EQ(v, c.values);
        if (c.next_line) {
            std::string_view line;
            ASSERT_TRUE(in.next_line(line));
            EXPECT_EQ(line, c.next_line);
        }
    }
}

TEST(FreeRead, IntegerFieldsTakeIntegersOnly) {
    INTEGER sec = 0;
    REAL v = 0;
    const FieldRef f[] = {sec, v};
    TextLines ok("86390 1.25\n");
    EXPECT_EQ(read_free(ok, f), ReadOutcome::Done);
    EXPECT_EQ(sec, 86390);
    EXPECT_EQ(v, 1.25f);
    TextLines bad("86390.0 1.25\n");
    EXPECT_EQ(read_free(bad, f), ReadOutcome::Error);
    TextLines big("3000000000 1\n");
    EXPECT_EQ(read_free(big, f), ReadOutcome::Error);
    Text<4> t;
    const FieldRef text[] = {t.ref()};
    TextLines words("abc\n");
    EXPECT_EQ(read_free(words, text), ReadOutcome::Error);
}

}  // namespace
}  // namespace datrax
