#include "records/format_list.h"

#include <gtest/gtest.h>

#include <string>

namespace datrax {
namespace {

TEST(FormatList, AcceptsTheListsTheReadersUse) {
    for (const char* text : {"(5f12.6)", "(4e15.7)", "(A)", "(I10,G12.5)", "(3A20)", "(I4,2X,I2,1X,3I2,2F10.6)",
                             " ( 5 F 12 . 6 ) ", "(2x,3(f10.4))", "(x,d12.4)", "(1x 5f12.6)", "(5f12.6) tail",
                             "(I5,A3,2F10.3)", "(5I5,7L2,5I3)", "(2(3x),i5)"}) {
        FormatList f;
        EXPECT_TRUE(f.compile(text)) << text << ": " << f.error();
    }
}

// Hostile or broken lists are refused, never obeyed.
TEST(FormatList, RefusesBrokenAndHostileLists) {
    const std::string deep = std::string(17, '(') + "f5.1" + std::string(17, ')');
    for (const std::string text :
         {"",          "5f12.6",    "(",    "(5f12.6",   "()",        "(5x)",       "(2(3x))",          "(0f5.1)",
          "(0(f5.1))", "(f0.1)",    "(i0)", "(0x,f5.1)", "(f1025.1)", "(f10.1025)", "(1234567890f5.1)", "(f12)",
          "(f12.)",    "(i5.2)",    "(q5)", "(t5,f5.1)", "(e12.4e2)", "(,f5.1)",    "(f5.1,)",          "(f5.1,,i2)",
          "(f5.1/i2)", "('ab',i2)", "(3)",  "((f5.1)",   "(a5"}) {
        FormatList f;
        EXPECT_FALSE(f.compile(text)) << "accepted: " << text;
        EXPECT_FALSE(f.ok());
    }
    const std::string nested16 = "(" + std::string(16, '(') + "f5.1" + std::string(16, ')') + ")";
    EXPECT_TRUE(FormatList(nested16).ok());
    EXPECT_FALSE(FormatList("(" + deep + ")").ok());
}

TEST(FormatList, ReversionPointIsTheLastTopLevelGroup) {
    struct Case {
        const char* text;
        bool from_start;
    } cases[] = {{"(5f12.6)", true}, {"(2x,3(f10.4))", false}, {"(i2,2(f5.1),i3)", false}, {"(3i2)", true}};
    for (const auto& c : cases) {
        FormatList f(c.text);
        ASSERT_TRUE(f.ok()) << c.text;
        EXPECT_EQ(f.reversion() == 0, c.from_start) << c.text;
        EXPECT_TRUE(f.reversion_has_data()) << c.text;
    }
    // A last group of skips only: usable once, never by reversion.
    FormatList f("(f5.1,2(1x))");
    ASSERT_TRUE(f.ok());
    EXPECT_FALSE(f.reversion_has_data());
}

}  // namespace
}  // namespace datrax
