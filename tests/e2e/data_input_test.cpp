// The main menu's D command: naming, checking and reading data files, then
// the data menu, driven through the headless window. Each run starts the
// program afresh on the state left by the run before.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/main_program.h"
#include "app/state.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

void write_file(const char* name, const std::string& content) { std::ofstream(name) << content; }

const std::string kList = "1 10.5\n2 11.5\n3 12.5\n";
const std::string kDatra =
    "Gravity at BF\n         3         1.0\n(3f5.1)             MICROGAL            Hour\n  1.0  2.0  3.0\n";
const std::string kGgp =
    "Filename : BF.GGP\nStation : BF\n77777777\n20170826 000000    1.5000 1001.0000\n"
    "20170826 010000    2.5000 1002.0000\n99999999\n88888888\n";

TEST(DataInput, FirstFileIsReadAndTheDataMenuOpens) {
    Session s;
    write_file("grav.dat", kDatra);
    s.run("dgrav.dat{enter}");
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_EQ(dset.FNAME(1).trimmed(), "grav.dat");
    EXPECT_EQ(dset.DSLABL(1), Text<10>("Data"));
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "grav.plt");
    EXPECT_EQ(dset.NPTS(1), 3);
    EXPECT_EQ(dset.ITU, 3);
    EXPECT_EQ(dset.DUNIT(1), Text<20>("microgal"));

    s.run(
        "dy"
        "r");  // kept, then back in the main menu
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1 grav.dat");
}

TEST(DataInput, TheWindowTitleNamesTheFileRead) {
    Session s;
    std::filesystem::create_directory("day");
    write_file("day/grav.dat", kDatra);
    write_file("bad.dat", "\x01\x02");
    s.run("");
    EXPECT_EQ(s.window().title(), "DATRAX 1.1");
    s.run("dday/grav.dat{enter}");
    EXPECT_EQ(s.window().title(), "grav.dat - DATRAX 1.1") << "the folders are left out";
    s.run("rdnbad.dat{enter}");
    EXPECT_EQ(s.window().title(), "grav.dat - DATRAX 1.1") << "a file that could not be read leaves the title";
}

TEST(DataInput, KeepOrEnterKeepsTheName) {
    Session s;
    write_file("grav.dat", kDatra);
    s.run("dgrav.dat{enter}r");
    Y(1, 1) = 99.0f;
    s.run("dy");  // keep: nothing is read
    EXPECT_EQ(Y(1, 1), 99.0f);
    s.run("dn{enter}");  // new name: Enter keeps the old one, which is read again
    EXPECT_EQ(Y(1, 1), 1.0f);
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    s.run("d");
    EXPECT_EQ(s.bottom_row(), "Data File 1 : grav.dat - Keep [y/n] -->");
    s.run("dx");  // another key shows the answer kept from before
    EXPECT_EQ(s.bottom_row(), "Data File 1: Enter Name -->");
}

TEST(DataInput, MissingFileRetryOrGiveUp) {
    Session s;
    write_file("grav.dat", kDatra);
    s.run("dnone.dat{enter}ygrav.dat{enter}r");
    EXPECT_EQ(dset.FNAME(1).trimmed(), "grav.dat");
    EXPECT_EQ(dset.NPTS(1), 3);

    s.run("dnother.dat{enter}n");
    EXPECT_EQ(dset.FNAME(1).trimmed(), "grav.dat");  // the old name is back
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1 grav.dat");
}

TEST(DataInput, UnreadableFileBlanksTheSlot) {
    Session s;
    write_file("junk.bin", std::string("\x01\x02garbage\xff\n", 11));
    s.run("djunk.bin{enter}");  // the run ends while the reason waits for its key
    EXPECT_EQ(s.bottom_row(), "List not read: no line holds a time and a value - hit Enter");
    reset_state();
    s.run("djunk.bin{enter}{enter}");
    EXPECT_EQ(s.bottom_row(), "Problems reading this file, return to Menu -->");
    reset_state();
    s.run("djunk.bin{enter}{enter}{enter}");
    EXPECT_TRUE(dset.FNAME(1).is_blank());
    EXPECT_EQ(dset.DSLABL(1), Text<10>("Data"));
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    s.run("d");  // no Keep for a blank name
    EXPECT_EQ(s.bottom_row(), "Data File 1: Enter Name -->");
}

TEST(DataInput, RefusedTimeUnitIsAProblem) {
    Session s;
    write_file("list.txt", kList);
    s.run("dlist.txt{enter}n{enter}");
    EXPECT_TRUE(dset.FNAME(1).is_blank());
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1");

    s.run("dlist.txt{enter}y");  // kept as user units
    EXPECT_EQ(dset.ITU, 0);
    EXPECT_EQ(dset.NPTS(1), 3);
}

TEST(DataInput, EarlyEndOfDatraFileEndsTheDialogue) {
    Session s;
    write_file("short.dat", "t\n         5         1.0\n(f5.1)              volt                sec\n  1.0\n");
    s.run("dshort.dat{enter}{enter}");
    EXPECT_TRUE(dset.FNAME(1).is_blank());
    EXPECT_EQ(dset.NPTS(1), 1);
    EXPECT_EQ(s.row(0).substr(0, 12), " MAIN MENU -");
}

TEST(DataInput, TwoFilesInTurn) {
    Session s;
    write_file("grav.dat", kDatra);
    write_file("list.txt", kList);
    s.run(
        "n2{enter}"
        "dgrav.dat{enter}list.txt{enter}y");
    EXPECT_EQ(dset.NPTS(1), 3);
    EXPECT_EQ(dset.NPTS(2), 3);
    EXPECT_EQ(dset.FNAME(2).trimmed(), "list.txt");
    EXPECT_EQ(sel.slot, 2);
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
}

TEST(DataInput, GgpFileEndsTheDialogueAfterSlotOne) {
    Session s;
    write_file("bf170826.ggp", kGgp);
    s.run(
        "n2{enter}s5{enter}"
        "dbf170826.ggp{enter}");
    EXPECT_EQ(dset.IFORM, 3);
    EXPECT_EQ(sel.STYLE, 2);
    EXPECT_EQ(sel.NDSETS, 2);
    EXPECT_EQ(sel.slot, 1);
    EXPECT_EQ(dset.FNAME(2).trimmed(), "bf170826.ggp");
    EXPECT_EQ(dset.TUNIT, Text<20>("hr"));
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
}

// Files named on the command line are read as the dialogue reads them and
// the program opens in the data menu; a missing one ends in the main menu.
TEST(DataInput, FilesFromTheCommandLine) {
    Session s;
    write_file("grav.dat", kDatra);
    write_file("grav2.dat", kDatra);
    write_file("pair.ggp", kGgp);
    const std::string ggp[] = {"pair.ggp"};
    s.window().add_script("");
    EXPECT_EQ(run_datrax(ggp), 0);
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_EQ(dset.NPTS(1), 2);
    EXPECT_EQ(dset.NPTS(2), 2);
    EXPECT_EQ(Y(1, 2), 1001.0f);

    // A second file after a GGP file: said once, and not read.
    const std::string ggp_first[] = {"pair.ggp", "grav.dat"};
    s.window().add_script("");  // the run ends at the notice
    EXPECT_EQ(run_datrax(ggp_first), 0);
    EXPECT_EQ(s.bottom_row(), "The GGP file filled both data sets; not read: grav.dat");
    EXPECT_EQ(dset.FNAME(2).trimmed(), "pair.ggp");
    EXPECT_EQ(Y(1, 2), 1001.0f);

    const std::string two[] = {"grav.dat", "grav2.dat"};
    EXPECT_EQ(run_datrax(two), 0);
    EXPECT_EQ(s.row(0).substr(0, 24), " DATA MENU - Ndsets 2 Fi");
    EXPECT_EQ(dset.FNAME(2).trimmed(), "grav2.dat");
    EXPECT_EQ(dset.NPTS(2), 3);
    EXPECT_EQ(Y(3, 2), 3.0f);

    const std::string missing[] = {"nosuchfile"};
    s.window().add_script("n");
    EXPECT_EQ(run_datrax(missing), 0);
    EXPECT_EQ(s.row(0).substr(0, 12), " MAIN MENU -");
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    s.window().add_script("ygrav.dat{enter}");  // retry with a typed name
    EXPECT_EQ(run_datrax(missing), 0);
    EXPECT_EQ(s.row(0).substr(0, 12), " DATA MENU -");
    EXPECT_EQ(dset.FNAME(1).trimmed(), "grav.dat");
}

}  // namespace
}  // namespace datrax
