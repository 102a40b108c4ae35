// The parameter menu and the graphics profile through the headless window.
#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "support/session.h"

namespace datrax {
namespace {

using testing::Session;

std::string enters(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "{enter}";
    return s;
}

TEST(ParameterMenu, EnterEverywhereLeavesEveryValueUnchanged) {
    Session s;
    // D and H: six numbers and two titles each; U: ITUP; M: L (one data set),
    // C (six colours), P (four reals), T (three titles), S (five switches), O.
    const std::string keys =
        "c"
        "d" +
        enters(8) + "h" + enters(8) + "u" + enters(1) +
        "m"
        "l" +
        enters(4) + "c" + enters(6) + "p" + enters(4) + "t" + enters(3) +
        "s"
        "xxxxx"
        "o" +
        enters(1) +
        "r"
        "r";
    s.run("");
    const PlotParamRecord before = pp;
    s.run(keys);
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1");
    EXPECT_EQ(pp.NTX, before.NTX);
    EXPECT_EQ(pp.TEX, before.TEX);
    EXPECT_EQ(pp.NGY, before.NGY);
    EXPECT_EQ(pp.AXTITX(1), before.AXTITX(1));
    EXPECT_EQ(pp.AXTITY(2), before.AXTITY(2));
    EXPECT_EQ(pp.LTYP, before.LTYP);
    EXPECT_EQ(pp.SIZE, before.SIZE);
    EXPECT_EQ(pp.LCOL, before.LCOL);
    EXPECT_EQ(pp.ISCOL, before.ISCOL);
    EXPECT_FLOAT_EQ(pp.XLEN, 8.0f);
    EXPECT_EQ(pp.SUBTH, before.SUBTH);
    EXPECT_EQ(pp.ITUP, 2);
    EXPECT_TRUE(pp.ZCOL && pp.ZNAME && pp.ZTITL && pp.ZSUBT && pp.ZGRD);
    EXPECT_EQ(pp.IR, 5);
}

TEST(ParameterMenu, ValueAndQuestionRows) {
    Session s;
    s.run("cd");
    EXPECT_EQ(s.row(scr.MAXROW - 1), "NTX  = -1           TEX  = 0.000        NGX  = 10");
    EXPECT_EQ(s.bottom_row(), "NTX  ->");
    EXPECT_EQ(s.row(14), "      PARAMETERS FOR X AXIS (TIME), Y AXIS (DATA) :");
    s.run("cD3{enter}1.5{enter}4{enter}");
    EXPECT_EQ(pp.NTX(1), 3);
    EXPECT_FLOAT_EQ(pp.TEX(1), 1.5f);
    EXPECT_EQ(pp.NGX(1), 4);
    EXPECT_EQ(s.row(scr.MAXROW - 1), "NTY = 2             TEY = 0.000         NGY = 5");
}

TEST(ParameterMenu, TitlesAreLeftJustifiedAndMeasured) {
    Session s;
    s.run("cd" + enters(6) + "   Gravity{enter} {enter}x");
    EXPECT_EQ(pp.AXTITX(1), Text<40>("Gravity"));
    EXPECT_EQ(pp.LAXTX(1), 7);
    EXPECT_EQ(pp.LAXTY(1), 1);  // an all-blank title has length 1
}

TEST(ParameterMenu, TimeUnitQuestion) {
    Session s;
    s.run("cu7{enter}9{enter}3{enter}x");
    EXPECT_EQ(pp.ITUP, 3);
    EXPECT_EQ(pp.AXTITX(1), Text<40>("hour"));

    s.run("cu0{enter}x");  // 0 ends the question and stays
    EXPECT_EQ(pp.ITUP, 0);
    EXPECT_FLOAT_EQ(dset.TSCALE, 1.0f);
    EXPECT_EQ(pp.AXTITX(1), Text<40>("hour"));  // the data's own unit text

    s.run("cu{enter}x");  // with ITUP 0 nothing is asked: Enter is the next letter
    EXPECT_EQ(pp.ITUP, 0);
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    s.run("cu");  // ... but the value is listed while the menu waits
    EXPECT_EQ(s.row(scr.MAXROW - 1), "ITUP   = 0");
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
}

TEST(ParameterMenu, NegativeUnitIsStoredAsUserUnits) {
    Session s;
    s.run("cu-3{enter}x");
    EXPECT_EQ(pp.ITUP, 0);
}

TEST(ParameterMenu, PositionKeepsEdgesInStepAndUnknownLettersReask) {
    Session s;
    s.run("cxmzp2{enter}{enter}6{enter}{enter}x");
    EXPECT_FLOAT_EQ(pp.XMIN, 2.0f);
    EXPECT_FLOAT_EQ(pp.XLEN, 6.0f);
    EXPECT_FLOAT_EQ(pp.XMAX, 8.0f);
    EXPECT_FLOAT_EQ(pp.YMAX, 6.5f);
}

TEST(ParameterMenu, LinesEditEveryDataSetAndColoursAllThreeEntries) {
    Session s;
    s.run(
        "n2{enter}cml"
        "1{enter}5{enter}3{enter}.2{enter}"
        "2{enter}6{enter}{enter}{enter}"
        "c1{enter}2{enter}3{enter}4{enter}5{enter}6{enter}x");
    EXPECT_EQ(pp.LTYP(1), 5);
    EXPECT_EQ(pp.LINF(2), 2);
    EXPECT_EQ(pp.LTYP(2), 6);
    EXPECT_FLOAT_EQ(pp.SIZE(1), 0.2f);
    EXPECT_EQ(pp.LCOL(3), 3);
    EXPECT_EQ(pp.ISCOL(3), 6);
    EXPECT_EQ(s.row(scr.MAXROW - 1), "LCOL = 15  9  12    ISCOL = 15  9  12");  // listed before asking
}

TEST(GraphicsProfile, AnsweringNoTwiceChangesNothingButRedraws) {
    Session s;
    s.run("gnnx");
    EXPECT_EQ(gp.TMODE, 3);
    EXPECT_EQ(gp.KS(1), 4);
    EXPECT_EQ(s.row(0), " MAIN MENU - Style 1 Ndsets 1 File 1");
    EXPECT_EQ(s.row(14), "      DATA      : Input a data file      --> Data Menu");
}

TEST(GraphicsProfile, ChangedTextModeResizesTheWindow) {
    Session s;
    s.run("gy{enter}1{enter}{enter}1{enter}{enter}" + enters(5) + "n");
    EXPECT_EQ(gp.TMODE, 1);
    EXPECT_EQ(gp.BCOL, 1);
    EXPECT_EQ(scr.VALCOL, 31);
    EXPECT_EQ(s.canvas().width(), 640);
    EXPECT_EQ(scr.MAXROW, 29);
    EXPECT_EQ(s.bottom_row(), "Select letter -->");
    EXPECT_EQ(s.canvas().pixel(8 * 100 / 2, 16 * 26), 1);  // background now blue
}

TEST(GraphicsProfile, PlotNamesAndTheKeptAnswer) {
    Session s;
    s.run(
        "gnyplot1{enter}  hist{enter}"
        "gx");
    EXPECT_EQ(gp.PLTNAM(1).trimmed(), "plot1");
    EXPECT_EQ(gp.NPLT(1), 5);
    EXPECT_EQ(gp.PLTNAM(2).trimmed(), "hist");
    EXPECT_EQ(gp.NPLT(2), 4);
    // A key other than y or n repeats the last answer (y): the values row is shown.
    EXPECT_EQ(s.row(scr.MAXROW - 1), "PSIZE   11  TMODE   3   GMODE   3   BCOL    0   GCOL    0");
}

}  // namespace
}  // namespace datrax
