// Stepping through a dated series of files, and the existence question.
#include "data/file_series.h"

#include "reader_test_support.h"

namespace datrax {
namespace {

TEST(SteppedName, DayAndMonthRules) {
    struct Case {
        const char* name;
        INTEGER iform;
        bool next;
        const char* expected;
    } cases[] = {
        {"g97365.dat", 2, true, "g97366.dat"},
        {"g97366.dat", 2, true, "g98001.dat"},
        {"g98001.dat", 1, false, "g97366.dat"},
        {"g99366.dat", 2, true, "g00001.dat"},
        {"g00001.dat", 2, false, "g99366.dat"},
        {"p24123.dat", 2, false, "p24122.dat"},
        {"xx971215.ggp", 3, true, "xx980115.ggp"},
        {"xx980115.ggp", 4, false, "xx971215.ggp"},
        {"bf991231.ggp", 3, true, "bf000131.ggp"},
        {"bf000131.ggp", 3, false, "bf991231.ggp"},
        {"bf170830.ggp", 3, true, "bf170930.ggp"},
        // Blanks count as code 32 minus the code of "0": 9 x 10^4 - 16 x 1111.
        {"g9", 2, true, "g72225"},
        // The positions are counted in the base name, after the folders.
        {"data/bf240301.ggp", 3, true, "data/bf240401.ggp"},
        {"/home/user/data/station/2024/bf240301.ggp", 3, false, "/home/user/data/station/2024/bf240201.ggp"},
        {"../v1.2/g24123.dat", 2, true, "../v1.2/g24124.dat"},
        {"C:\\DATA\\p97366.dat", 2, true, "C:\\DATA\\p98001.dat"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stepped_name(FileName(c.name), c.iform, c.next), FileName(c.expected))
            << c.name << (c.next ? " next" : " previous");
    }
}

using Newfil = ReaderTest;

const std::string kList = "1 10\n2 20\n";

TEST_F(Newfil, StepsToAnExistingFileAndReadsIt) {
    dir.write("xx240102.txt", kList);
    dset.form(2) = 4;  // the slot's own format chooses the rule
    dset.FNAME(2) = "  xx240202.txt";
    INTEGER status = 9;
    NEWFIL('p', dset.FNAME, 2, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dset.FNAME(2), "xx240102.txt");
    EXPECT_EQ(gp.PLTNAM(2), "xx240102.plt");
    EXPECT_EQ(gp.NPLT(2), 12);
    EXPECT_EQ(dset.NPTS(2), 2);
    EXPECT_EQ(Y(2, 2), 20.0f);
}

TEST_F(Newfil, MissingOrRefusedFileLeavesTheSlotAsItWas) {
    dir.write("g24003.dat", "not used\n");
    dset.form(1) = 2;
    dset.FNAME(1) = "g24001.dat";
    dset.TITLE(1) = "the old file";
    dset.NPTS(1) = 5;
    Y(5, 1) = 55.0f;
    gp.PLTNAM(1) = "keep.plt";
    INTEGER status = 0;
    NEWFIL('n', dset.FNAME, 1, status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(dset.FNAME(1), "g24001.dat");
    EXPECT_EQ(dset.NPTS(1), 5);
    EXPECT_EQ(gp.PLTNAM(1), "keep.plt");
    EXPECT_EQ(screen.row(scr.MAXROW - 1), "File not found: g24002.dat");

    // The next step passes the gap; the found-message is blanked. The file
    // there is refused: name, title, samples and plot name stay the old file's.
    screen.keys("{enter}");  // the list attempt gives its reason
    NEWFIL('n', dset.FNAME, 1, status);
    EXPECT_EQ(screen.row(scr.MAXROW - 1), "File not read ... g24003.dat");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(dset.FNAME(1), "g24001.dat");
    EXPECT_EQ(dset.TITLE(1).trimmed(), "the old file");
    EXPECT_EQ(dset.NPTS(1), 5);
    EXPECT_EQ(Y(5, 1), 55.0f);
    EXPECT_EQ(gp.PLTNAM(1), "keep.plt");
    EXPECT_EQ(dset.form(1), 2);  // unchanged by the unreadable file: the day rule stays

    // Back from the refused file: the step goes on from where the last one
    // ended, not from the slot's file.
    dir.write("g24002.dat", "1 10\n2 20\n");
    NEWFIL('p', dset.FNAME, 1, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dset.FNAME(1), "g24002.dat");
    EXPECT_EQ(dset.NPTS(1), 2);
    EXPECT_EQ(gp.PLTNAM(1), "g24002.plt");
}

TEST_F(Newfil, ARefusedGgpFileLeavesBothSlotsAsTheyWere) {
    // A GGP header with a data line too broken to read, but enough to be tried as GGP.
    dir.write("bf240401.ggp",
              "header\nmore\n77777777\n" + ggp_line("20240401", "000000", 1, 2) + std::string(8, '\xff') + "\n");
    dset.form(1) = 3;
    dset.FNAME(1) = "bf240301.ggp";
    dset.FNAME(2) = "other.dat";
    dset.NPTS(1) = 3;
    dset.NPTS(2) = 4;
    Y(3, 1) = 3.0f;
    Y(4, 2) = 4.0f;
    sel.NDSETS = 1;
    INTEGER status = 0;
    screen.keys("{enter}{enter}{enter}");
    NEWFIL('n', dset.FNAME, 1, status);
    ASSERT_EQ(status, 1);
    EXPECT_EQ(dset.FNAME(1), "bf240301.ggp");
    EXPECT_EQ(dset.FNAME(2), "other.dat");
    EXPECT_EQ(dset.NPTS(1), 3);
    EXPECT_EQ(dset.NPTS(2), 4);
    EXPECT_EQ(Y(3, 1), 3.0f);
    EXPECT_EQ(Y(4, 2), 4.0f);
    EXPECT_EQ(sel.NDSETS, 1);
}

TEST_F(Newfil, TheFormatReadChoosesTheNextRule) {
    dir.write("bf170901.ggp", "header\nmore\n77777777\n" + ggp_line("20170901", "000000", 1, 2));
    dset.form(1) = 3;
    dset.FNAME(1) = "bf170801.ggp";
    INTEGER status = 0;
    NEWFIL('n', dset.FNAME, 1, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dset.IFORM, 3);
    EXPECT_EQ(dset.NPTS(1), 1);
}

using Fexist = ReaderTest;

TEST_F(Fexist, ExistingFileAsksNothing) {
    dir.write("here.dat", "1 2\n");
    dset.FNAME(1) = "here.dat";
    INTEGER status = 5;
    FEXIST(dset.FNAME, 1, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(screen.window().keys_left(), 0u);
    dset.FNAME(1) = "  here.dat";
    FEXIST(dset.FNAME, 1, status);
    EXPECT_EQ(status, 0);
}

TEST_F(Fexist, MissingFileAsksToRetry) {
    dset.FNAME(1) = "gone.dat";
    INTEGER status = 0;
    struct Step {
        const char* key;
        INTEGER status;
        const char* row;
    } steps[] = {
        {"y", 1, "File does not exist. Retry [y/n] --> y"},
        {"x", 1, "File does not exist. Retry [y/n] --> y"},  // another key keeps the last answer
        {"N", 2, "File does not exist. Retry [y/n] --> n"},
    };
    for (const auto& s : steps) {
        screen.keys(s.key);
        FEXIST(dset.FNAME, 1, status);
        EXPECT_EQ(status, s.status) << s.key;
        EXPECT_EQ(message_row(), s.row);
    }
}

}  // namespace
}  // namespace datrax
