// The profile file: created, read, repaired and written back.
#include "app/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

#include "app/state.h"
#include "platform/config_path.h"
#include "support/golden_file.h"
#include "support/scratch_dir.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::matches_golden;
using testing::read_file_bytes;
using testing::Session;

constexpr std::string_view kRecords12 =
    "   17    2    4    1    2 F T F T F T F  7  1  3  6  5\n"
    "    1    2    3    4    5    6\n";

void write_profile_file(const Session& s, std::string_view text) {
    std::ofstream(s.profile_path(), std::ios::binary) << text;
}

TEST(Profile, FirstRunCreatesTheFileWithTheLoadValues) {
    Session s;
    s.run("");
    EXPECT_TRUE(matches_golden("profile_first_run.pro", read_file_bytes(s.profile_path())));
    s.run("q");
    EXPECT_TRUE(matches_golden("profile_first_run.pro", read_file_bytes(s.profile_path())));
}

TEST(Profile, RecordsOneAndTwoAloneGiveOneBandRow) {
    Session s;
    write_profile_file(s, kRecords12);
    s.run("q");
    EXPECT_EQ(gp.PSIZE, 17);
    EXPECT_EQ(gp.TMODE, 2);
    EXPECT_EQ(s.canvas().width(), 800);  // the text screen opens in TMODE
    EXPECT_FALSE(pp.ZCOL);
    EXPECT_TRUE(pp.ZOPT6);
    EXPECT_EQ(gp.KS(1), 7);
    EXPECT_EQ(pp.ISCOL(3), 6);
    EXPECT_EQ(band.NBAND, 1);
    EXPECT_EQ(scr.VALCOL, 16 * 1 + 15);
    EXPECT_EQ(read_file_bytes(s.profile_path()), std::string(kRecords12) + "    1        0.000     0.014\n");
}

TEST(Profile, BandRowsInAnyOrderAndBeyondTheLoadedRows) {
    Session s;
    write_profile_file(s,
                       std::string(kRecords12) + "   30(X)     1.500     2.250\n" + "    2(Y)     9.000    10.000\n");
    s.run("q");
    EXPECT_EQ(band.NBAND, 30);
    EXPECT_EQ(band.BANDID(30), Text<3>("(X)"));
    EXPECT_FLOAT_EQ(band.BANDHI(30), 2.25f);
    EXPECT_FLOAT_EQ(band.BANDLO(2), 9.0f);
    EXPECT_FLOAT_EQ(band.BANDHI(22), 1800.0f);  // rows not in the file keep their values
    const std::string written = read_file_bytes(s.profile_path());
    EXPECT_NE(written.find("   25        0.000     0.000\n"), std::string::npos);
    EXPECT_NE(written.find("   30(X)     1.500     2.250\n"), std::string::npos);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 32);
}

TEST(Profile, DamagedFirstRecordIsRewrittenKeepingWhatWasReadBeforeTheDamage) {
    Session s;
    write_profile_file(s, "   17    2    4    1    2 F T F T F T F  7  1 xx  6  5\n");
    s.run("q");
    EXPECT_EQ(gp.PSIZE, 11);  // the graphics defaults are set again
    EXPECT_EQ(gp.TMODE, 3);
    EXPECT_FALSE(pp.ZCOL);  // read before the damage, kept
    EXPECT_EQ(gp.KS(1), 7);
    EXPECT_EQ(gp.KS(3), 3);
    const std::string written = read_file_bytes(s.profile_path());
    EXPECT_EQ(written.substr(0, 55), "   11    3    3    0    0 F T F T F T F  7  1  3  6  5\n");
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 24);
}

TEST(Profile, DamagedOrMissingSecondRecordIsRewritten) {
    Session s;
    write_profile_file(s, "   17    2    4    1    2 T T T T T F F  7  1  3  6  5\n    8   zz\n");
    s.run("");
    EXPECT_EQ(pp.LCOL(1), 8);
    EXPECT_EQ(gp.PSIZE, 11);
    EXPECT_EQ(read_file_bytes(s.profile_path()).substr(55, 31), "    8    9   12   15    9   12\n");
}

TEST(Profile, UnreadableBandRecordIsSkippedWithANote) {
    Session s;
    write_profile_file(s, std::string(kRecords12) + "    3(D)     0.033     0.047\n" +
                              "    4    abcdefghij     0.075\n" + "   99(Z)     1.000     2.000\n" +
                              "    5(S)     0.075     0.089\n");
    s.run("");
    EXPECT_EQ(s.bottom_row(), "An unreadable band record of the profile file was skipped -->");
    EXPECT_EQ(band.NBAND, 5);
    s.run("{enter}q");  // the note waits for a key
    const std::string written = read_file_bytes(s.profile_path());
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 7);
    EXPECT_NE(written.find("    4        0.047     0.075\n"), std::string::npos);
}

TEST(Profile, ValuesTooWideForTheirFieldsAreClampedWhenWritten) {
    Session s;
    s.run(
        "gy123456{enter}"
        "{enter}{enter}-20000{enter}{enter}"
        "5000{enter}-500{enter}{enter}{enter}{enter}n"
        "q");
    EXPECT_EQ(gp.PSIZE, 123456);  // stays as typed for the run
    const std::string written = read_file_bytes(s.profile_path());
    EXPECT_EQ(written.substr(0, 55), "99999    3    3-9999    0 T T T T T F F999-99  3  6  5\n");
    Session again;
    std::filesystem::copy_file(s.profile_path(), again.profile_path());
    again.run("");
    EXPECT_EQ(gp.KS(1), 999);  // the clamped file reads back whole
    EXPECT_EQ(gp.PSIZE, 99999);
}

// Every field of the file, set beyond either end of what it can hold, is
// written as the nearest value it does hold and reads back as exactly that:
// no row is skipped at the next start-up.
TEST(Profile, EveryFieldRoundTripsAtBothEnds) {
    testing::ScratchDir dir;
    platform::set_profile_file_path(dir.file("datra.pro"));
    constexpr REAL kInf = std::numeric_limits<REAL>::infinity();
    struct End {
        INTEGER set_int;
        REAL set_real;
        INTEGER i5, i3;
        REAL f10_3;
    } ends[] = {
        {std::numeric_limits<INTEGER>::min(), -kInf, -9999, -99, -99999.992f},
        {-100000, -1E30f, -9999, -99, -99999.992f},
        {-10000, -100000.0f, -9999, -99, -99999.992f},
        {100000, 2000000.0f, 99999, 999, 999999.938f},
        {1000, 1000000.0f, 1000, 999, 999999.938f},
        {std::numeric_limits<INTEGER>::max(), 1E30f, 99999, 999, 999999.938f},
        {std::numeric_limits<INTEGER>::max(), kInf, 99999, 999, 999999.938f},
    };
    for (const End& e : ends) {
        reset_records();
        for (INTEGER* v : {&gp.PSIZE, &gp.TMODE, &gp.GMODE, &gp.BCOL, &gp.GCOL, &pp.LCOL(1), &pp.LCOL(2), &pp.LCOL(3),
                           &pp.ISCOL(1), &pp.ISCOL(2), &pp.ISCOL(3)})
            *v = e.set_int;
        for (int k = 1; k <= 5; ++k) gp.KS(k) = e.set_int;
        band.NBAND = MAXBND;
        for (int k = 1; k <= MAXBND; ++k) band.BANDLO(k) = band.BANDHI(k) = e.set_real;
        ASSERT_TRUE(write_profile());

        reset_records();
        read_profile();
        EXPECT_FALSE(mainv.profile_band_skipped) << e.set_real;
        for (INTEGER v : {gp.PSIZE, gp.TMODE, gp.GMODE, gp.BCOL, gp.GCOL, pp.LCOL(1), pp.LCOL(2), pp.LCOL(3),
                          pp.ISCOL(1), pp.ISCOL(2), pp.ISCOL(3)})
            EXPECT_EQ(v, e.i5) << e.set_int;
        for (int k = 1; k <= 5; ++k) EXPECT_EQ(gp.KS(k), e.i3) << e.set_int;
        ASSERT_EQ(band.NBAND, MAXBND);
        for (int k = 1; k <= MAXBND; ++k) {
            EXPECT_EQ(band.BANDLO(k), e.f10_3) << e.set_real;
            EXPECT_EQ(band.BANDHI(k), e.f10_3) << e.set_real;
        }
    }
    platform::set_profile_file_path("");
}

TEST(Profile, AProfileThatCannotBeWrittenIsReportedAtQuit) {
    Session s;
    // A folder part that is a plain file: no one, not even root, can write there.
    std::ofstream(s.folder() / "plain") << "x";
    platform::set_profile_file_path((s.folder() / "plain" / "datra.pro").string());
    EXPECT_EQ(s.run("q"), 0);
    EXPECT_EQ(s.bottom_row(),
              "The profile file could not be written: " + (s.folder() / "plain" / "datra.pro").string() + " -->");
}

// A profile that is a link to a file elsewhere (a dotfiles folder) is
// written through the link: the link stays, its target gets the settings.
TEST(Profile, ALinkedProfileIsWrittenThroughTheLink) {
    Session s;
    std::filesystem::create_directory(s.folder() / "dotfiles");
    const auto target = s.folder() / "dotfiles" / "datra.pro";
    std::ofstream(target) << kRecords12;
    std::filesystem::create_symlink("dotfiles/datra.pro", s.profile_path());
    EXPECT_EQ(s.run("gy15{enter}"
                    "{enter}{enter}{enter}{enter}"
                    "{enter}{enter}{enter}{enter}{enter}n"
                    "q"),
              0);
    EXPECT_TRUE(std::filesystem::is_symlink(s.profile_path()));
    EXPECT_EQ(read_file_bytes(target).substr(0, 5), "   15");
}

// A read-only profile is left as it is and the quit says so.
TEST(Profile, AReadOnlyProfileIsNotReplacedAndReportedAtQuit) {
    Session s;
    write_profile_file(s, kRecords12);
    std::filesystem::permissions(s.profile_path(), std::filesystem::perms::owner_read);
    EXPECT_EQ(s.run("gy15{enter}"
                    "{enter}{enter}{enter}{enter}"
                    "{enter}{enter}{enter}{enter}{enter}n"
                    "q"),
              0);
    EXPECT_EQ(s.bottom_row(), "The profile file could not be written: " + s.profile_path().string() + " -->");
    EXPECT_EQ(read_file_bytes(s.profile_path()), kRecords12);
}

TEST(Profile, ColourSwitchForcesSolidLines) {
    Session s;
    pp.LTYP(1) = 5;
    pp.LTYP(3) = 6;
    s.run("");
    EXPECT_EQ(pp.LTYP(1), 2);
    EXPECT_EQ(pp.LTYP(3), 2);
}

}  // namespace
}  // namespace datrax
