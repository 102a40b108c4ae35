// Prompts, key by key, with their echo.
#include "console/prompts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "console/console.h"
#include "platform/run_stop.h"
#include "support/scratch_dir.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Screen;

INTEGER ask_int(Screen& s, std::string_view keys, INTEGER old) {
    s.keys(keys);
    ASKINT(0, -2, "N --> |", old, 15);
    return old;
}

REAL ask_real(Screen& s, std::string_view keys, REAL old) {
    s.keys(keys);
    ASKRL(0, -2, "R --> |", old, 2, 15);
    return old;
}

TEST(AskInt, KeySequences) {
    Screen s;
    EXPECT_EQ(ask_int(s, "-12{enter}", 7), -12);
    EXPECT_EQ(s.row(2), "N --> -12");
    EXPECT_EQ(ask_int(s, "12{bs}{bs}5{enter}", 7), 5);
    EXPECT_EQ(s.row(2), "N --> 5");
    EXPECT_EQ(ask_int(s, "{enter}", 7), 7);
    EXPECT_EQ(s.row(2), "N -->  7");              // the Enter echo, then the kept value
    EXPECT_EQ(ask_int(s, "1-{enter}", 7), -1);    // a "-" anywhere makes it negative
    EXPECT_EQ(ask_int(s, "-{enter}", 7), 0);      // a lone "-" counts and gives 0
    EXPECT_EQ(ask_int(s, "4x.2{enter}", 7), 42);  // other keys are ignored without echo
    EXPECT_EQ(s.row(2), "N --> 42");
}

TEST(AskInt, BackspaceUndoesExactlyTheLastEchoedCharacter) {
    Screen s;
    EXPECT_EQ(ask_int(s, "-5{bs}{bs}3{enter}", 7), 3);  // the sign is taken back too
    EXPECT_EQ(ask_int(s, "5 {bs}{bs}{bs}{bs}8{enter}", 7), 8);
    EXPECT_EQ(s.row(2), "N --> 8");
}

TEST(AskInt, OverflowingDigitIsIgnored) {
    Screen s;
    EXPECT_EQ(ask_int(s, "99999999999{enter}", 7), 999999999);
    EXPECT_EQ(ask_int(s, "2147483647{enter}", 7), 2147483647);
    EXPECT_EQ(ask_int(s, "21474836479{enter}", 7), 2147483647);
}

TEST(AskRl, KeySequences) {
    Screen s;
    EXPECT_FLOAT_EQ(ask_real(s, "1.25{enter}", 9.0f), 1.25f);
    EXPECT_FLOAT_EQ(ask_real(s, "2e3{enter}", 9.0f), 2000.0f);
    EXPECT_FLOAT_EQ(ask_real(s, ".5{enter}", 9.0f), 0.5f);
    EXPECT_FLOAT_EQ(ask_real(s, "e3{enter}", 9.0f), 9.0f);
    EXPECT_FLOAT_EQ(ask_real(s, "12e{bs}5{enter}", 9.0f), 125.0f);
    EXPECT_FLOAT_EQ(ask_real(s, "-1.5d-2{enter}", 9.0f), -0.015f);
    EXPECT_FLOAT_EQ(ask_real(s, "1.2{bs}{bs}7{enter}", 9.0f), 17.0f);  // Backspace removes the point
    EXPECT_FLOAT_EQ(ask_real(s, "{enter}", 9.0f), 9.0f);
    EXPECT_EQ(s.row(2), "R -->  9.00");
}

TEST(AskRl, NonFiniteResultsAreRefused) {
    Screen s;
    const REAL big = ask_real(s, "1e99{enter}", 9.0f);
    EXPECT_TRUE(std::isfinite(big));
    EXPECT_FLOAT_EQ(big, 1e9f);  // the second 9 of the exponent is refused
    EXPECT_FLOAT_EQ(ask_real(s, "3e-2{enter}", 9.0f), 0.03f);
}

TEST(AskTxt, TypingEditingAndKeeping) {
    Screen s;
    Text<40> answer("old name");
    s.keys("abc{bs}{enter}");
    ASKTXT(0, 3, "Name --> |", answer, 40, 15);
    EXPECT_EQ(answer, Text<40>("ab"));
    EXPECT_EQ(s.row(3), "Name --> ab");

    s.keys("{enter}");
    ASKTXT(0, 3, "Name --> |", answer, 40, 15);
    EXPECT_EQ(answer, Text<40>("ab"));
    EXPECT_EQ(s.row(3), "Name --> ab");  // the kept value is shown

    // Typing and erasing everything keeps the old value whole.
    s.keys("x{bs}{enter}");
    ASKTXT(0, 3, "Name --> |", answer, 40, 15);
    EXPECT_EQ(answer, Text<40>("ab"));
}

// Keys typed after a full field are ignored until Enter (a mark shows it):
// they never run as the next prompt's commands, and a longer name never
// passes for its first forty characters.
TEST(AskTxt, KeysAfterAFullFieldWaitForEnter) {
    Screen s;
    Text<40> answer("old");
    s.keys(std::string(40, 'z') + "dq{enter}x");
    ASKTXT(0, 3, "N|", answer, 40, 15);
    EXPECT_EQ(answer, Text<40>(std::string(40, 'z')));
    EXPECT_EQ(s.window().keys_left(), 1u);            // only the key after Enter is left
    EXPECT_EQ(s.row(3), "N" + std::string(40, 'z'));  // the mark is gone
    INTEGER next = 0;
    GETKEY(next);
    EXPECT_EQ(next, 'x');

    // Backspace still edits a full field; the mark goes with it.
    s.keys("abcdef{bs}{bs}x{enter}");
    Text<5> short_answer;
    ASKTXT(0, 5, "N|", short_answer, 5, 15);
    EXPECT_EQ(short_answer, Text<5>("abcx"));
    EXPECT_EQ(s.row(5), "Nabcx");
}

TEST(AskTxt, TheFullFieldMarkShowsWhileKeysAreIgnored) {
    Screen s;
    Text<3> answer;
    s.keys("abcd");
    try {
        ASKTXT(0, 3, "N|", answer, 3, 15);  // the script ends before Enter
    } catch (const RunStop&) {
    }
    EXPECT_EQ(s.row(3), "Nabc<");
}

TEST(AskTxt, OneLetterCommandAndPositionsBeyondMaxchKept) {
    Screen s;
    Text<4> answer("wxyz");
    s.keys("a{enter}");
    ASKTXT(0, 3, "> |", answer, 2, 15);
    EXPECT_EQ(answer, Text<4>("a yz"));
}

TEST(AskTxt, SpecialKeysNeverReachThePrompt) {
    Screen s;
    Text<1> command("d");
    s.keys("{up}{down}{esc}{left}q");
    ASKTXT(0, 3, "Select letter --> |", command, 1, 15);
    EXPECT_EQ(command, Text<1>("q"));
}

TEST(AskYnAndAskLg, OneKeyAnswers) {
    Screen s;
    LOGICAL flag = false;
    s.keys("Y");
    ASKYN(0, 4, "Keep [y/n] --> |", flag, 15);
    EXPECT_TRUE(flag);
    s.keys("x");
    ASKYN(0, 4, "Keep [y/n] --> |", flag, 15);
    EXPECT_TRUE(flag);
    EXPECT_EQ(s.row(4), "Keep [y/n] --> y");
    s.keys("n");
    ASKYN(0, 4, "Keep [y/n] --> |", flag, 15);
    EXPECT_FALSE(flag);

    s.keys("t");
    ASKLG(0, 5, "Z --> |", flag, 15);
    EXPECT_TRUE(flag);
    s.keys("?");
    ASKLG(0, 5, "Z --> |", flag, 15);
    EXPECT_EQ(s.row(5), "Z --> T");
}

TEST(NumKey, ValidKeys) {
    for (int ch = 0; ch < 256; ++ch) {
        LOGICAL valid = false;
        NUMKEY(ch, valid);
        const bool expected = ch == 13 || ch == 8 || ch == ' ' || ch == '-' || ch == '.' || (ch >= '0' && ch <= '9') ||
                              ch == 'e' || ch == 'E' || ch == 'd' || ch == 'D';
        EXPECT_EQ(valid, expected) << ch;
    }
}

// Tab at a file-name prompt: typed keys -> the answer and the prompt row.
TEST(AskFileName, TabCompletesFromTheFolder) {
    testing::ScratchDir dir;
    dir.write("bf240301.ggp", "");
    dir.write("bf240401.ggp", "");
    dir.write("g24122.dat", "");
    dir.write("my data.dat", "");
    std::filesystem::create_directory(dir.file("sub"));
    dir.write("sub/p24122.dat", "");
    dir.enter();
    Screen s;
    struct Row {
        std::string_view keys, answer;
    } const rows[] = {
        {"g{tab}{enter}", "g24122.dat"},  // one match: the whole name
        {"b{tab}{enter}", "bf240"},       // several: their shared start
        {"bf2404{tab}{enter}", "bf240401.ggp"},
        {"x{tab}{enter}", "x"},                           // no match: nothing changes
        {"su{tab}{tab}p{tab}{enter}", "sub/p24122.dat"},  // a folder, then a name in it
        {"my{tab}{enter}", "my data.dat"},                // a name with a blank
        {"my d{tab}{bs}{bs}{bs}{enter}", "my data."},
    };
    for (const Row& r : rows) {
        Text<40> answer("old");
        s.keys(r.keys);
        ask_file_name(0, -3, "File --> |", answer, 40, 15);
        EXPECT_EQ(answer.trimmed(), r.answer) << r.keys;
    }
    // A second Tab lists the matches on the row above; the prompt stays.
    Text<40> answer;
    s.keys("bf{tab}{tab}4{tab}{enter}");
    ask_file_name(0, -3, "File --> |", answer, 40, 15);
    EXPECT_EQ(s.row(2), "bf240301.ggp  bf240401.ggp");
    EXPECT_EQ(s.row(3), "File --> bf240401.ggp");
    EXPECT_EQ(answer.trimmed(), "bf240401.ggp");
    // Other prompts ignore Tab.
    Text<10> plain("old");
    s.keys("a{tab}b{enter}");
    ASKTXT(0, -3, "Text --> |", plain, 10, 15);
    EXPECT_EQ(plain.trimmed(), "ab");
}

// A name longer than the row: kept whole, shown shortened from the left so
// the end being typed stays in sight; Backspace brings the start back.
TEST(AskFileName, LongNamesScrollInTheirField) {
    Screen s;  // 80 columns: "File --> " leaves 70 for the name
    const std::string name = std::string(100, 'd') + "/bf240301.ggp";
    FileName answer;
    s.keys(name + "{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(answer.trimmed(), name);
    EXPECT_EQ(s.row(3), "File --> ..." + std::string(53, 'd') + "/bf240301.ggp");

    std::string keys = std::string(75, 'x');
    for (int i = 0; i < 10; ++i) keys += "{bs}";
    s.keys(keys + "{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(answer.trimmed(), std::string(65, 'x'));
    EXPECT_EQ(s.row(3), "File --> " + std::string(65, 'x'));

    // Enter alone keeps the long name and shows its end.
    answer = name;
    s.keys("{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(answer.trimmed(), name);
    EXPECT_EQ(s.row(3), "File --> ..." + std::string(53, 'd') + "/bf240301.ggp");
}

// Tab completes within a long folder path and past the width of the row.
TEST(AskFileName, TabCompletesLongPaths) {
    testing::ScratchDir dir;
    const std::string folder = std::string(90, 'f');
    std::filesystem::create_directory(dir.file(folder));
    dir.write(folder + "/bf240301.ggp", "");
    dir.enter();
    Screen s;
    FileName answer;
    s.keys("ff{tab}b{tab}{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(answer.trimmed(), folder + "/bf240301.ggp");
    EXPECT_EQ(s.row(3), "File --> ..." + std::string(53, 'f') + "/bf240301.ggp");
}

// The row of matches: names -> what one row of WIDTH columns shows.
TEST(MatchListRow, FillsTheRowThenCountsTheRest) {
    std::vector<std::string> nine;
    for (int i = 10; i <= 18; ++i) nine.push_back("f" + std::to_string(i) + ".dat");
    struct Row {
        std::vector<std::string> names;
        size_t width;
        std::string expected;
    } const rows[] = {
        {nine, 79, "f10.dat  f11.dat  f12.dat  f13.dat  f14.dat  f15.dat  f16.dat  ... (2 more)"},
        {nine, 90, "f10.dat  f11.dat  f12.dat  f13.dat  f14.dat  f15.dat  f16.dat  f17.dat  f18.dat  "},
        {nine, 40, "f10.dat  f11.dat  f12.dat  ... (6 more)"},
        {nine, 20, "... (9 more)"},
        {{"a|b.dat", "new\nline", "tab\there", std::string("del\x7f")}, 79, "a?b.dat  new?line  tab?here  del?  "},
        {{std::string(100, 'x')}, 79, "... (1 more)"},
        {{}, 79, ""},
    };
    for (const Row& r : rows) EXPECT_EQ(match_list_row(r.names, r.width), r.expected) << r.width;
}

TEST(AskFileName, TabListOfManyOrOddNamesStaysOnOneRow) {
    testing::ScratchDir dir;
    for (int i = 10; i <= 18; ++i) dir.write("f" + std::to_string(i) + ".dat", "");
    dir.write("fa|b", "");
    dir.write("fnew\nline", "");
    dir.enter();
    Screen s;
    FileName answer;
    s.keys("f{tab}{tab}{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(s.row(2), "f10.dat  f11.dat  f12.dat  f13.dat  f14.dat  f15.dat  f16.dat  ... (4 more)");
    EXPECT_EQ(s.row(1), "");
    s.keys("fa{tab}{tab}{enter}");
    ask_file_name(0, -3, "File --> |", answer, kNameLength, 15);
    EXPECT_EQ(s.row(2), "fa?b");
}

}  // namespace
}  // namespace datrax
